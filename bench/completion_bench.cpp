// How quickly the completion list shows in a script of 100,000 lines, and what a keystroke costs
// while it is open (goals: the list within 10 ms, a key within 2 ms).
//
//   completion_bench [rounds]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchapp.h"
#include "benchscript.h"
#include "ui/doc/scriptdoc.h"
#include "ui/views/completionpopup.h"
#include "ui/views/scriptview.h"

namespace {

using qm::CScriptView;

// Notes the first paint of a widget after Reset.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted = true;
        return false;
    }
    void Wait() {
        QElapsedTimer t;
        t.start();
        while (!painted && t.elapsed() < 10000) QApplication::processEvents(QEventLoop::AllEvents, 5);
    }
};

struct Figures {
    std::vector<double> ms;
    double Median() const {
        std::vector<double> v = ms;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double Max() const { return ms.empty() ? 0 : *std::max_element(ms.begin(), ms.end()); }
};

void Print(const char* what, const Figures& f, double goal) {
    std::printf("| %-62s | %7.2f ms | %7.2f ms | %5.1f ms |\n", what, f.Median(), f.Max(), goal);
    std::fflush(stdout);
}

double Since(const QElapsedTimer& t) { return t.nsecsElapsed() / 1e6; }

// One key, its events processed (the text, the list and both repainted).
double Key(CScriptView* v, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QElapsedTimer t;
    t.start();
    QTest::keyClick(v, key, mods);
    QApplication::processEvents();
    return Since(t);
}

void Type(CScriptView* v, const char* text) {
    QTest::keyClicks(v, text);
    QApplication::processEvents();
}

// From Ctrl+Space (or the key that opens the list) to the list painted.
double OpenList(CScriptView* v, Qt::Key key, Qt::KeyboardModifiers mods) {
    qm::CCompletionPopup* list = v->Completion();
    PaintWatch watch(list);
    QElapsedTimer t;
    t.start();
    QTest::keyClick(v, key, mods);
    if (!list->IsOpen()) return -1;
    watch.Wait();
    return Since(t);
}

void ClearLine(CScriptView* v) {
    QTextCursor c = v->textCursor();
    c.movePosition(QTextCursor::StartOfBlock);
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    c.removeSelectedText();
    v->setTextCursor(c);
    QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    QTemporaryDir dir;
    const QString path = dir.filePath("big.sqs");
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(qm::bench::MakeScript(100000) + "\r\n");
    }
    qm::theApp.m_recoveryFolder = dir.filePath("recovery");  // not the user's recovery folder
    qm::bench::StartApp({{"DocMax", 1}});
    qm::CScriptDoc* doc = qm::theApp.OpenDocumentFile(path);
    auto* v = doc ? qobject_cast<CScriptView*>(doc->GetView()) : nullptr;
    if (!v) return 1;
    PaintWatch shown(v->viewport());
    shown.Wait();
    QApplication::setActiveWindow(qm::theApp.GetMainFrame());
    v->setFocus();
    QTextCursor end(v->document());
    end.movePosition(QTextCursor::End);
    v->setTextCursor(end);
    v->ensureCursorVisible();
    QApplication::processEvents();
    std::printf("script: %d lines; %d rounds\n", v->document()->blockCount(), rounds);
    std::printf("| %-62s | %10s | %10s | %8s |\n|---|---|---|---|\n", "measured", "median", "slowest", "goal");

    Figures bare;
    for (int i = 0; i < rounds; ++i) {
        bare.ms.push_back(Key(v, Qt::Key_X));
        bare.ms.push_back(Key(v, Qt::Key_Backspace));
    }
    Print("a keystroke, no list open (for comparison)", bare, 2);

    // A local variable's name: after its third letter every key looks for entries and finds none.
    Figures unmatched;
    const Qt::Key variable[] = {Qt::Key_Underscore, Qt::Key_Q, Qt::Key_U, Qt::Key_A, Qt::Key_R, Qt::Key_R,
                                Qt::Key_Y, Qt::Key_M, Qt::Key_E, Qt::Key_N};
    for (int i = 0; i < rounds; ++i) {
        for (Qt::Key k : variable) {
            const double ms = Key(v, k);
            if (k != Qt::Key_Underscore && k != Qt::Key_Q && k != Qt::Key_U) unmatched.ms.push_back(ms);
        }
        ClearLine(v);
    }
    Print("a keystroke in a name no entry matches (list stays shut)", unmatched, 2);

    Figures commands, typed, labels;
    for (int i = 0; i < rounds; ++i) {
        commands.ms.push_back(OpenList(v, Qt::Key_Space, Qt::ControlModifier));
        Key(v, Qt::Key_Escape);
    }
    Print("Ctrl+Space: the list of commands (~430 entries) shown", commands, 10);
    for (int i = 0; i < rounds; ++i) {
        Type(v, "se");
        typed.ms.push_back(OpenList(v, Qt::Key_T, Qt::NoModifier));
        Type(v, " ");  // closes the list
        ClearLine(v);
    }
    Print("the third letter typed: the list opens by itself", typed, 10);
    for (int i = 0; i < rounds; ++i) {
        Type(v, "goto \"");
        labels.ms.push_back(OpenList(v, Qt::Key_Space, Qt::ControlModifier));
        Key(v, Qt::Key_Escape);
        ClearLine(v);
    }
    Print("Ctrl+Space after goto \": the script's 12,500 labels shown", labels, 10);

    Figures openKeys, labelKeys;
    const Qt::Key word[] = {Qt::Key_S, Qt::Key_E, Qt::Key_T, Qt::Key_D, Qt::Key_Backspace, Qt::Key_Backspace,
                            Qt::Key_Backspace, Qt::Key_Backspace};
    for (int i = 0; i < rounds; ++i) {
        OpenList(v, Qt::Key_Space, Qt::ControlModifier);
        for (Qt::Key k : word) openKeys.ms.push_back(Key(v, k));
        Key(v, Qt::Key_Escape);
    }
    Print("a keystroke with the list of commands open (typing, Backspace)", openKeys, 2);
    const Qt::Key label[] = {Qt::Key_L, Qt::Key_A, Qt::Key_B, Qt::Key_E, Qt::Key_L, Qt::Key_7,
                             Qt::Key_Backspace, Qt::Key_Backspace, Qt::Key_Backspace};
    Type(v, "goto \"");
    for (int i = 0; i < rounds; ++i) {
        OpenList(v, Qt::Key_Space, Qt::ControlModifier);
        for (Qt::Key k : label) labelKeys.ms.push_back(Key(v, k));
        Key(v, Qt::Key_Escape);
        for (int j = 0; j < 3; ++j) Key(v, Qt::Key_Backspace);
    }
    Print("a keystroke with the 12,500 labels open", labelKeys, 2);
    std::fflush(stdout);
    std::_Exit(0);  // the figures are out; tearing down a large document proves nothing
}
