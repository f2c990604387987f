// Side-by-side speed and memory of the editor and a bare QPlainTextEdit (no colouring) given the
// same text the same way. Each measurement runs in a child process of its own, so that memory
// figures are the process's and nothing is shared between the two.
//
//   editor_bench [--quick]                run everything and print the ratios
//   editor_bench --child WHAT WHO FILE    one measurement (WHAT: open, keys, longline, journal, window;
//                                         WHO: quillmark, bare)
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPlainTextEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "benchapp.h"
#include "benchscript.h"
#include "ui/doc/recoveryjournal.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "core/doc/textfile.h"
#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace {

// One line of about 1 MB made of the script's words.
QByteArray MakeLongLine() {
    QByteArray line;
    while (line.size() < 1000000) line += "_unit addWeapon \"Karveth\"; hint \"x\"; ";
    return line + "\r\n";
}

using qm::bench::StatusKb;

// Waits for the viewport's next paint.
class PaintWatch : public QObject {
public:
    explicit PaintWatch(QWidget* w) { w->installEventFilter(this); }
    bool painted = false;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) painted = true;
        if (e->type() == QEvent::Paint && qEnvironmentVariableIsSet("QM_BENCH_PAINTS")) {
            const QRect r = static_cast<QPaintEvent*>(e)->rect();
            std::fprintf(stderr, "paint %d,%d %dx%d\n", r.x(), r.y(), r.width(), r.height());
        }
        return false;
    }
    void Wait() {
        QElapsedTimer t;
        t.start();
        while (!painted && t.elapsed() < 120000) QApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

void StartQuillmark(const QString& recoveryFolder = {}) {
    qm::theApp.m_recoveryFolder = recoveryFolder;
    // QM_BENCH_LINENUMBERS=0 measures the editor without its line-number margin.
    const char* numbers = std::getenv("QM_BENCH_LINENUMBERS");
    qm::bench::StartApp({{"DocMax", 1}, {"LineNumbers", numbers && *numbers == '0' ? 0 : 1}});
    QApplication::processEvents();
}

// The bare editor reads the file the same way: bytes, line ends, 8-bit characters, setPlainText.
QPlainTextEdit* OpenBare(const QString& path) {
    auto* edit = new QPlainTextEdit;
    edit->setLineWrapMode(QPlainTextEdit::NoWrap);
    edit->resize(1000, 800);
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    QByteArray bytes = f.readAll();
    bytes.replace("\r\n", "\n");
    edit->setPlainText(QString::fromLatin1(bytes));
    bytes = QByteArray();
    edit->setWindowTitle(QFileInfo(path).fileName() + "[*]");
    QObject::connect(edit->document(), &QTextDocument::modificationChanged, edit, &QWidget::setWindowModified);
    edit->show();
    return edit;
}

// Quillmark opens it as a document, whichever window its size gives it.
QAbstractScrollArea* Open(const QString& who, const QString& path) {
    if (who == "bare") return OpenBare(path);
    qm::CScriptDoc* doc = qm::theApp.OpenDocumentFile(path);
    if (!doc) return nullptr;
    if (doc->GetView()) return doc->GetView();
    return doc->GetLargeView();
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Types pairs of keys into a widget (the second takes the first back), events processed after
// each; gives the median time of one keystroke in microseconds.
double KeyPairs(QWidget* w, Qt::Key key, Qt::Key back, int pairs) {
    QApplication::processEvents();
    std::vector<double> times;
    QElapsedTimer t;
    for (int i = 0; i < pairs; ++i) {
        for (Qt::Key k : {key, back}) {
            t.start();
            QTest::keyClick(w, k);
            QApplication::processEvents();
            times.push_back(t.nsecsElapsed() / 1000.0);
        }
    }
    return Median(times);
}

// The same at the end of line `line` of an editor.
double Keystrokes(QPlainTextEdit* edit, int line, Qt::Key key, Qt::Key back, int pairs) {
    QTextCursor c(edit->document()->findBlockByNumber(line));
    c.movePosition(QTextCursor::EndOfBlock);
    edit->setTextCursor(c);
    edit->ensureCursorVisible();
    return KeyPairs(edit, key, back, pairs);
}

double LargeKeystrokes(qm::CLargeTextView* view, int line, Qt::Key key, Qt::Key back, int pairs) {
    view->GoToLine(line);
    QTest::keyClick(view, Qt::Key_End);
    return KeyPairs(view, key, back, pairs);
}

// Keys at the end of a line, in whichever window the file has.
double Keys(QAbstractScrollArea* w, int line, Qt::Key key, Qt::Key back, int pairs) {
    if (auto* edit = qobject_cast<QPlainTextEdit*>(w))
        return Keystrokes(edit, std::min(line, edit->document()->blockCount() - 1), key, back, pairs);
    return LargeKeystrokes(qobject_cast<qm::CLargeTextView*>(w), line, key, back, pairs);
}

int Child(const QString& what, const QString& who, const QString& path, int line) {
    QTemporaryDir state;
    if (who == "quillmark") StartQuillmark(what == "journal" ? state.filePath("recovery") : QString());
    QElapsedTimer clock;
    clock.start();
    QAbstractScrollArea* edit = Open(who, path);
    if (!edit) return 1;
    PaintWatch watch(edit->viewport());
    watch.Wait();
    const double openMs = clock.nsecsElapsed() / 1e6;
    if (what == "open") {
        std::printf("open_ms %.1f rss_kb %ld hwm_kb %ld\n", openMs, StatusKb("VmRSS:"), StatusKb("VmHWM:"));
    } else if (what == "keys") {
        std::printf("char_us %.1f enter_us %.1f\n", Keys(edit, line, Qt::Key_X, Qt::Key_Backspace, 100),
                    Keys(edit, line, Qt::Key_Return, Qt::Key_Backspace, 30));
    } else if (what == "longline") {
        std::printf("char_us %.1f\n", Keys(edit, 0, Qt::Key_X, Qt::Key_Backspace, 5));
    } else if (what == "journal") {
        // Keystrokes while the document's recovery copy is written on the journal's thread.
        qm::CScriptDoc* doc = qm::theApp.GetMainFrame()->ActiveDocument();
        QTest::keyClick(edit, Qt::Key_X);
        std::vector<double> during, snapshots, writes;
        QElapsedTimer t, whole;
        for (int round = 0; round < 5; ++round) {
            whole.start();
            doc->WriteJournalNow();
            snapshots.push_back(whole.nsecsElapsed() / 1e6);
            if (auto* plain = qobject_cast<QPlainTextEdit*>(edit)) {
                QTextCursor c(plain->document()->findBlockByNumber(std::min(line, plain->document()->blockCount() - 1)));
                c.movePosition(QTextCursor::EndOfBlock);
                plain->setTextCursor(c);
            } else {
                qobject_cast<qm::CLargeTextView*>(edit)->GoToLine(line);
                QTest::keyClick(edit, Qt::Key_End);
            }
            // Keys go on while the worker encodes and writes the copy.
            for (int i = 0; i < 10 || !qm::theApp.m_journal->IsIdle(); ++i) {
                for (Qt::Key k : {Qt::Key_X, Qt::Key_Backspace}) {
                    t.start();
                    QTest::keyClick(edit, k);
                    QApplication::processEvents();
                    during.push_back(t.nsecsElapsed() / 1000.0);
                }
            }
            qm::theApp.m_journal->Flush();
            writes.push_back(whole.nsecsElapsed() / 1e6);
        }
        std::printf("char_us %.1f max_us %.1f snapshot_ms %.1f write_ms %.1f\n", Median(during),
                    *std::max_element(during.begin(), during.end()), Median(snapshots), Median(writes));
    } else if (what == "window") {  // stays open for bench/realwindow.sh
        std::printf("shown_ms %.1f\n", openMs);
        std::fflush(stdout);
        return QApplication::exec();
    }
    std::fflush(stdout);
    state.remove();
    std::_Exit(0);  // the figures are out; tearing down a large document proves nothing
}

QMap<QString, double> RunChild(const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(QCoreApplication::applicationFilePath(), QStringList{"--child"} + args);
    p.waitForFinished(-1);
    QMap<QString, double> values;
    const QList<QByteArray> words = p.readAllStandardOutput().simplified().split(' ');
    for (int i = 0; i + 1 < words.size(); i += 2) values[words[i]] = words[i + 1].toDouble();
    return values;
}

void Row(const char* work, const char* unit, double q, double bare, double goal) {
    const double ratio = bare > 0 ? q / bare : 0;
    std::printf("| %-58s | %10.1f %-3s | %10.1f %-3s | %5.2fx | %s |\n", work, q, unit, bare, unit, ratio,
                goal <= 0 ? "" : ratio <= goal ? "ok" : "OVER");
    std::fflush(stdout);
}

int Parent(bool quick) {
    QTemporaryDir dir;
    const QString small = dir.filePath("small.sqs"), medium = dir.filePath("medium.sqs"),
                  large = dir.filePath("large.sqs"), longLine = dir.filePath("longline.sqs");
    const auto write = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    };
    write(small, qm::bench::MakeScript(1000));
    write(medium, qm::bench::MakeScript(100000));
    write(large, qm::bench::MakeScript(quick ? 200000 : 910000));
    write(longLine, MakeLongLine());
    const char* largeName = quick ? "11 MB script (200,000 lines)" : "50 MB script (910,000 lines)";
    std::printf("| %-58s | %14s | %14s | %6s | goal |\n|---|---|---|---|---|\n", "Work", "Quillmark", "Bare", "Ratio");

    auto q = RunChild({"open", "quillmark", medium}), b = RunChild({"open", "bare", medium});
    Row("open + colour + first paint, 100,000-line 5.5 MB script", "ms", q["open_ms"], b["open_ms"], 1.3);
    Row("resident memory with that file shown", "MB", q["rss_kb"] / 1024, b["rss_kb"] / 1024, 1.3);
    // From 16 MB on a document opens in the window for very large texts: the goals are its own.
    q = RunChild({"open", "quillmark", large}), b = RunChild({"open", "bare", large});
    Row(qPrintable(QString(largeName) + ": time until the window shows"), "ms", q["open_ms"], b["open_ms"], 0);
    Row(qPrintable(QString(largeName) + ": peak memory"), "MB", q["hwm_kb"] / 1024, b["hwm_kb"] / 1024, 0);
    const double fileMb = QFileInfo(large).size() / 1048576.0;
    std::printf("%s: shown after %.2f s (goal 1 s), peak memory %.1fx the file (goal 4x)\n", largeName,
                q["open_ms"] / 1000, q["hwm_kb"] / 1024 / fileMb);

    const auto keys = [&](const QString& path, int line, const QString& name) {
        auto kq = RunChild({"keys", "quillmark", path, QString::number(line)});
        auto kb = RunChild({"keys", "bare", path, QString::number(line)});
        Row(qPrintable(name + ": one keystroke"), "us", kq["char_us"], kb["char_us"], 0);
        Row(qPrintable(name + ": Enter or Backspace joining lines"), "us", kq["enter_us"], kb["enter_us"], 0);
        return kq;
    };
    const double at1000 = keys(small, 500, "1,000-line script")["char_us"];
    const double atLarge = keys(large, quick ? 100001 : 455001, largeName)["char_us"];
    std::printf("keystroke flat: %.2fx from 1,000 lines to the large script (goal 2x), %.2f ms (goal 2 ms)\n",
                atLarge / std::max(1.0, at1000), atLarge / 1000);
    q = RunChild({"journal", "quillmark", large, QString::number(quick ? 100001 : 455001)});
    std::printf("%s while its recovery copy is written: one keystroke %.2f ms (goal 2 ms), slowest %.2f ms; "
                "taking the text %.1f ms, copy on disk after %.0f ms\n",
                largeName, q["char_us"] / 1000, q["max_us"] / 1000, q["snapshot_ms"], q["write_ms"]);
    q = RunChild({"longline", "quillmark", longLine}), b = RunChild({"longline", "bare", longLine});
    Row("one keystroke on a single 1 MB line (script view)", "ms", q["char_us"] / 1000, b["char_us"] / 1000, 1.3);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 5 && args[1] == "--child")
        return Child(args[2], args[3], args[4], args.size() > 5 ? args[5].toInt() : 0);
    return Parent(args.contains("--quick"));
}
