// Opening and colouring a large script, and the handling of one keystroke in it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <benchmark/benchmark.h>

#include "core/platform/memoryregistry.h"
#include "ui/app/fonts.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/app/resources.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"

namespace {

class SilentPrompter : public qm::Prompter {
public:
    int MessageBox(const QString&, const QString&, qm::MbButtons, qm::MbIcon) override { return qm::IDNO; }
    std::optional<QString> GetOpenFileName(const qm::FileDialogRequest&) override { return std::nullopt; }
    QStringList GetOpenFileNames(const qm::FileDialogRequest&) override { return {}; }
    std::optional<QString> GetSaveFileName(const qm::FileDialogRequest&) override { return std::nullopt; }
    std::optional<unsigned> ChooseColour(unsigned) override { return std::nullopt; }
};

QTemporaryDir* g_dir;
QString g_script;

// About 5 MB: 100,000 lines of commands, items, variables, remarks and labels.
QString MakeScript(int lines) {
    const char* pattern[] = {
        "_unit%1 addWeapon \"Karveth\"; _unit%1 addMagazine \"KarvethMag\"",
        "? (alive _unit%1) && (damage _unit%1 < 0.5) : _unit%1 setDamage 0",
        "; a remark about step %1 of the patrol route and what happens",
        "#label%1",
        "_pos%1 = getPos _leader; _unit%1 doMove [(_pos%1 select 0) + 10, 0]",
        "hint format [\"Step %1 of the patrol, %2 left\", _i, _count]",
        "~0.5",
        "_group%1 setBehaviour \"AWARE\"; _group%1 setSpeedMode \"LIMITED\"",
    };
    QString text;
    text.reserve(lines * 52);
    for (int i = 0; i < lines; ++i) {
        text += QString::fromLatin1(pattern[i % 8]).arg(i);
        text += QLatin1String("\r\n");
    }
    return text;
}

void Setup(int lines) {
    static qm::MemoryRegistry registry;
    static SilentPrompter prompter;
    registry.WriteInt(qm::Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "NewFile", 0);
    qm::theApp.m_registry = &registry;
    qm::theApp.m_prompter = &prompter;
    qm::theApp.m_programFolderOverride = QCoreApplication::applicationDirPath() + "/..";
    qm::theApp.InitInstance({});
    g_dir = new QTemporaryDir;
    g_script = g_dir->filePath(QStringLiteral("big.sqs"));
    QFile f(g_script);
    f.open(QIODevice::WriteOnly);
    f.write(MakeScript(lines).toLatin1());
}

void CloseAll() {
    qm::theApp.GetMainFrame()->CloseAllDocumentsWithoutAsking();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_OpenAndColour(benchmark::State& state) {
    for (auto _ : state) {
        qm::CScriptDoc* doc = qm::theApp.OpenDocumentFile(g_script);
        benchmark::DoNotOptimize(doc);
        QApplication::processEvents();  // the first paint
        state.PauseTiming();
        CloseAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenAndColour)->Unit(benchmark::kMillisecond)->Iterations(3);

// Types at the end of a line: a letter, then Backspace, so the text keeps its size.
void TypeAtLine(benchmark::State& state, int line) {
    qm::CScriptDoc* doc = qm::theApp.OpenDocumentFile(g_script);
    qm::CEditView* view = doc->GetView();
    QTextCursor c(view->document()->findBlockByNumber(line));
    c.movePosition(QTextCursor::EndOfBlock);
    view->setTextCursor(c);
    QApplication::processEvents();
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(view, type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
    }
    CloseAll();
}

void BM_KeystrokeInTheMiddle(benchmark::State& state) { TypeAtLine(state, 50001); }
BENCHMARK(BM_KeystrokeInTheMiddle)->Unit(benchmark::kMicrosecond)->Iterations(400);

void BM_KeystrokeOnALabelLine(benchmark::State& state) { TypeAtLine(state, 50003); }  // "#label50003"
BENCHMARK(BM_KeystrokeOnALabelLine)->Unit(benchmark::kMicrosecond)->Iterations(200);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    qm::InitResources();
    qm::RegisterFontSubstitutions();
    int lines = 100000;
    Setup(lines);
    qm::theApp.GetMainFrame()->resize(1000, 800);
    qm::theApp.GetMainFrame()->show();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qm::theApp.ExitInstance();
    return 0;
}
