// The page preview with a page of 10 MB: a keystroke in the editor while the preview is shown,
// the building of the page (on the worker thread), keystrokes typed while a page is rendered
// (each with the editor repainted), paging through the whole page (the window moved along) and
// the dropping of a shown page: the parts of a render the user can feel are those on the editor's
// thread.
#include <QElapsedTimer>
#include <QAction>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QThread>
#include <benchmark/benchmark.h>

#include "benchapp.h"
#include "core/frames/pagepreview.h"
#include "core/frames/pagewindow.h"
#include "ui/app/doctemplate.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/pagepreview.h"
#include "ui/frames/previewpage.h"
#include "ui/views/editview.h"

namespace {

using namespace qm;

// About 10 MB of objective blocks as the briefing wizard writes them.
QString MakePage(int bytes) {
    const QString block = QStringLiteral(
        "<!-- Objective %1 -->\n<p><a name=\"obj_%1\"></a>\n<!-- [OBJ_%1] -->\n"
        "Secure <a href = \"marker:bridge\">the bridge</a> and hold it until the armour arrives.\n"
        "<!-- [END] -->\n</p><hr>\n\n");
    QString html = QStringLiteral("<html>\n<body>\n");
    for (int i = 1; html.size() < bytes; ++i) html += block.arg(i % 8 + 1);
    return html + QStringLiteral("</body>\n</html>\n");
}

QString g_page;
CScriptDoc* g_doc = nullptr;

CPagePreview* Pane() { return theApp.GetMainFrame()->m_wndPagePreview; }

void WaitForPage() {
    while (Pane()->IsPending()) {
        QApplication::processEvents();
        QThread::msleep(1);
    }
}

void BM_KeystrokeWithPreviewShown(benchmark::State& state) {
    CEditView* view = g_doc->GetView();
    QTextCursor c(view->document()->findBlockByNumber(20000));
    view->setTextCursor(c);
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(view, type ? Qt::Key_X : Qt::Key_Backspace);
        type = !type;
    }
    WaitForPage();
}
BENCHMARK(BM_KeystrokeWithPreviewShown)->Unit(benchmark::kMicrosecond)->Iterations(200);

// The worker's part for a new text: listing the page's places, cutting it into pieces, and
// building the window at its top.
void BM_BuildPageOnWorker(benchmark::State& state) {
    for (auto _ : state) {
        const std::string text = g_page.toStdString();
        benchmark::DoNotOptimize(ListPageSections(text));
        const PageCut cut = CutPage(text, CPagePreview::s_window.pieceBytes);
        const auto [first, last] = WindowAround(cut, 0, CPagePreview::s_window.windowBytes);
        CPreviewPage page(g_doc->GetPathName());
        page.setHtml(QString::fromStdString(PageWindowHtml(text, cut, first, last)));
        state.counters["window_chars"] = page.characterCount();
    }
}
BENCHMARK(BM_BuildPageOnWorker)->Unit(benchmark::kMillisecond)->Iterations(3);

// From the end of the pause to the page shown, as the user meets it (wall time).
void BM_RenderAfterThePause(benchmark::State& state) {
    CEditView* view = g_doc->GetView();
    for (auto _ : state) {
        QTest::keyClick(view, Qt::Key_X);
        state.PauseTiming();
        QElapsedTimer t;
        t.start();
        WaitForPage();
        const qint64 total = t.elapsed();
        state.ResumeTiming();
        state.counters["render_ms"] = static_cast<double>(total - PreviewPauseMs(g_page.size()));
    }
}
BENCHMARK(BM_RenderAfterThePause)->Unit(benchmark::kMillisecond)->Iterations(2);

// Keys typed while a page renders, each followed by the editor's repaint, and between them the
// editor thread's other work (the pane's share of the render). A key typed at any moment waits
// for the piece of work running then: "wait" is the longest such piece plus the key itself.
void BM_KeystrokesWhileRendering(benchmark::State& state) {
    CEditView* view = g_doc->GetView();
    view->setTextCursor(QTextCursor(view->document()->findBlockByNumber(20000)));
    double worstKey = 0, worstWait = 0, keys = 0;
    bool type = true;
    for (auto _ : state) {
        QTest::keyClick(view, Qt::Key_X);
        QTest::keyClick(view, Qt::Key_Backspace);
        Pane()->RenderNow();
        QElapsedTimer render;
        render.start();
        // Five seconds: the render, whatever the pane does after the page is shown, and the
        // renders the typing itself brings after each pause.
        while (render.elapsed() < 5000) {
            QElapsedTimer t;
            t.start();
            QApplication::processEvents();
            const double work = t.nsecsElapsed() / 1e6;
            t.restart();
            QTest::keyClick(view, type ? Qt::Key_X : Qt::Key_Backspace);
            type = !type;
            view->viewport()->repaint();
            const double key = t.nsecsElapsed() / 1e6;
            worstKey = std::max(worstKey, key);
            worstWait = std::max(worstWait, work + key);
            ++keys;
            QThread::msleep(2);  // a fast typist, but not a flood
        }
        // What was typed last renders once more: let it, so the next round starts still.
        Pane()->RenderNow();
        WaitForPage();
    }
    state.counters["worst_key_ms"] = worstKey;
    state.counters["worst_wait_ms"] = worstWait;
    state.counters["keys"] = keys;
}
BENCHMARK(BM_KeystrokesWhileRendering)->Unit(benchmark::kMillisecond)->Iterations(3);

// Paging down through the whole page in the preview, a page a frame, each step painted: the
// longest turn of the editor thread (the window moved along as the view nears its end).
void BM_ScrollThroughThePage(benchmark::State& state) {
    QTextBrowser* browser = Pane()->Browser();
    QScrollBar* bar = browser->verticalScrollBar();
    double worst = 0, steps = 0, moves = 0;
    for (auto _ : state) {
        Pane()->GoToSection(0);
        WaitForPage();
        const int shown = Pane()->PagesShown();
        QElapsedTimer all;
        all.start();
        while (all.elapsed() < 5000) {
            QElapsedTimer t;
            t.start();
            bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
            browser->viewport()->repaint();
            QApplication::processEvents();
            worst = std::max(worst, t.nsecsElapsed() / 1e6);
            ++steps;
            QThread::msleep(16);
        }
        moves += Pane()->PagesShown() - shown;
        state.counters["reached_piece"] = static_cast<double>(Pane()->ShownPieces().second);
    }
    state.counters["worst_turn_ms"] = worst;
    state.counters["steps"] = steps;
    state.counters["windows"] = moves;
    state.counters["pieces"] = static_cast<double>(Pane()->PieceCount());
}
BENCHMARK(BM_ScrollThroughThePage)->Unit(benchmark::kMillisecond)->Iterations(1);

// Dropping the shown page (the pane shows "no page" instead): what the editor thread spends.
void BM_DropTheShownPage(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        Pane()->SetDocument(g_doc);
        Pane()->RenderNow();
        WaitForPage();
        for (int i = 0; i < 200; ++i) QApplication::processEvents();  // let the page settle
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        Pane()->SetDocument(nullptr);
        QApplication::processEvents();
        state.counters["drop_ms"] = static_cast<double>(t.nsecsElapsed()) / 1e6;
    }
    Pane()->SetDocument(g_doc);
    Pane()->RenderNow();
    WaitForPage();
}
BENCHMARK(BM_DropTheShownPage)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    bench::StartApp({{"PagePreview", 0}, {"AddHeader", 0}});
    g_page = MakePage(10'000'000);
    g_doc = theApp.Template(DocKind::Briefing)->OpenDocumentFile(QString());
    const long before = bench::StatusKb("VmRSS:");
    g_doc->GetView()->LoadText(g_page);
    for (int i = 0; i < 100; ++i) QApplication::processEvents();
    const long editor = bench::StatusKb("VmRSS:");
    theApp.GetMainFrame()->Action(ID_VIEW_PAGEPREVIEW)->trigger();
    WaitForPage();
    for (int i = 0; i < 100; ++i) QApplication::processEvents();  // the layout steps
    std::printf("resident: before the page %.0f MB, the page in the editor %.0f MB, and in the preview %.0f MB\n",
                before / 1024.0, editor / 1024.0, bench::StatusKb("VmRSS:") / 1024.0);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("peak resident %.0f MB\n", bench::StatusKb("VmHWM:") / 1024.0);
    g_doc->OnCloseDocument();
    theApp.ExitInstance();
    return 0;
}
