// Problems while typing on a script of 100,000 lines: the check itself (on the checker's
// thread), the editor thread's share of a check, a keystroke with the checker attached, the time
// from the end of the typing to the problems shown; and the mission check of a folder of 5,000 files.
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QThread>
#include <benchmark/benchmark.h>
#include <fstream>

#include "benchapp.h"
#include "benchscript.h"
#include "core/tools/missioncheck.h"
#include "ui/app/doctemplate.h"
#include "ui/doc/scriptdoc.h"
#include "ui/views/editview.h"
#include "ui/views/problemchecker.h"

namespace {

using namespace qm;

// The editor benchmark's script with a goto to a missing label in place of every fiftieth line, so
// that the check has problems to report.
QString MakeScript(int lines) {
    const QList<QByteArray> base = bench::MakeScript(lines).split('\n');
    QString text;
    text.reserve(qsizetype(lines) * 58);
    for (int i = 0; i < lines; ++i) {
        if (i % 50 == 49) text += QStringLiteral("goto \"nowhere%1\"\n").arg(i);
        else text += QString::fromLatin1(base[i].chopped(1)) + '\n';  // without its "\r"
    }
    return text;
}

CScriptDoc* g_doc = nullptr;
std::u16string g_text;

CProblemChecker* Checker() { return CProblemChecker::Of(g_doc->GetView()); }

void WaitForCheck() {
    while (Checker()->IsPending()) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
}

void BM_CheckScriptOnWorker(benchmark::State& state) {
    const auto rules = CurrentScriptRules();
    size_t found = 0;
    for (auto _ : state) found = FindScriptProblems(g_text, ScriptKind::Script, *rules).size();
    state.counters["problems"] = static_cast<double>(found);
}
BENCHMARK(BM_CheckScriptOnWorker)->Unit(benchmark::kMillisecond)->Iterations(5);

// What a check costs the editor's thread: taking the text and the rules, starting the thread.
void BM_StartCheckOnEditorThread(benchmark::State& state) {
    for (auto _ : state) {
        Checker()->CheckNow();
        state.PauseTiming();
        WaitForCheck();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartCheckOnEditorThread)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_KeystrokeWithChecker(benchmark::State& state) {
    CEditView* view = g_doc->GetView();
    view->setTextCursor(QTextCursor(view->document()->findBlockByNumber(50001)));
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(view, type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
    }
    WaitForCheck();
}
BENCHMARK(BM_KeystrokeWithChecker)->Unit(benchmark::kMicrosecond)->Iterations(200);

// From the last keystroke to the problems found: the pause, then the check.
void BM_LastKeyToProblemsShown(benchmark::State& state) {
    CEditView* view = g_doc->GetView();
    view->setTextCursor(QTextCursor(view->document()->findBlockByNumber(50001)));
    bool type = true;
    for (auto _ : state) {
        const int before = Checker()->ChecksDone();
        QTest::keyClick(view, type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
        while (Checker()->ChecksDone() == before || Checker()->IsPending()) {
            QApplication::processEvents();
            QThread::msleep(1);
        }
    }
}
BENCHMARK(BM_LastKeyToProblemsShown)->Unit(benchmark::kMillisecond)->Iterations(5);

// A mission folder of 5,000 files: 4,000 scripts of 40 lines, the rest sounds and pictures.
void BM_CheckMissionOf5000Files(benchmark::State& state) {
    QTemporaryDir dir;
    std::string script;
    for (int i = 0; i < 40; ++i) script += "_unit addWeapon \"Karveth\"\n[_unit] exec \"scripts\\s1.sqs\"\r\n";
    for (int i = 0; i < 5000; ++i) {
        const QString sub = QStringLiteral("%1/scripts%2").arg(dir.path()).arg(i / 500);
        QDir().mkpath(sub);
        std::ofstream(QStringLiteral("%1/%2%3").arg(sub).arg(i).arg(i < 4000 ? ".sqs" : ".ogg").toStdString()) << script;
    }
    QDir().mkpath(dir.path() + "/scripts");
    std::ofstream((dir.path() + "/scripts/s1.sqs").toStdString()) << "exit\n";
    const auto rules = CurrentScriptRules();
    size_t found = 0;
    for (auto _ : state) found = CheckMissionFolder(dir.path().toStdString(), *rules).size();
    state.counters["findings"] = static_cast<double>(found);
}
BENCHMARK(BM_CheckMissionOf5000Files)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    bench::StartApp({{"AddHeader", 0}});
    const QString text = MakeScript(100000);
    g_text = text.toStdU16String();
    g_doc = theApp.Template(DocKind::Script)->OpenDocumentFile(QString());
    g_doc->GetView()->LoadText(text);
    Checker()->CheckNow();
    WaitForCheck();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_doc->OnCloseDocument();
    theApp.ExitInstance();
    return 0;
}
