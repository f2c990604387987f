// Start-up to a shown main window, against a bare Qt main window measured the same way (a fresh
// process each time), and "Update Application Data" with data files ten times the shipped size.
//   frame_bench [--startup-rounds N]  runs the measurements (N rounds of the three start-ups, 30
//                               by default, 0 for none)
//   frame_bench --probe bare    (internal) shows a bare QMainWindow and exits once it is exposed
//   frame_bench --probe text    (internal) the same with a menu, a toolbar, a status text and an editor
//   frame_bench --probe quillmark  (internal) Quillmark started as main() starts it
// A probe prints the steady clock when its window is first exposed; start-up is the time from just
// before the process is started to that moment. The whole process (with its shutdown) is reported
// beside it.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QWindow>
#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <optional>
#include <vector>

#include "benchapp.h"
#include "platform/qsettingsregistry.h"
#include "platform/xdgdesktop.h"

namespace {

QString g_self;
QString g_shipped;  // the program folder holding the shipped data/

long long SteadyNanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Prints when the window has been exposed (shown and painted once), then quits.
int WaitForExposeAndQuit(QWidget* w) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [w] {
        if (w->isVisible() && w->windowHandle() && w->windowHandle()->isExposed()) {
            std::printf("exposed %lld\n", SteadyNanoseconds());
            std::fflush(stdout);
            QApplication::quit();
        }
    });
    poll.start(0);
    return QApplication::exec();
}

int Probe(const QString& kind, int argc, char** argv) {
    QApplication app(argc, argv);
    if (kind == "bare") {
        QMainWindow w;
        w.resize(800, 600);
        w.show();
        return WaitForExposeAndQuit(&w);
    }
    if (kind == "text") {
        // What Qt itself costs for a window that shows text: fonts found and measured, a menu, a
        // toolbar button, a status message and an editor with a line in it.
        QMainWindow w;
        w.resize(800, 600);
        w.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Open..."));
        w.addToolBar(QStringLiteral("Standard"))->addAction(QStringLiteral("New"));
        w.statusBar()->showMessage(QStringLiteral("Ready"));
        auto* edit = new QPlainTextEdit(QStringLiteral("; a remark"));
        edit->setFont(QFont(QStringLiteral("Monospace"), 10));
        w.setCentralWidget(edit);
        w.show();
        return WaitForExposeAndQuit(&w);
    }
    // As main() starts the program: settings in files (in the folder the parent prepared), the
    // desktop file types and the single-instance check; only the message boxes stay silent.
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwell"));
    qm::InitResources();
    qm::RegisterFontSubstitutions();
    qm::QSettingsRegistry registry;
    static qm::bench::SilentPrompter prompter;
    qm::theApp.m_registry = &registry;
    qm::theApp.m_prompter = &prompter;
    const auto desktopFileTypes = qm::MakeDesktopFileTypes();
    qm::theApp.m_desktopFileTypes = desktopFileTypes.get();
    qm::theApp.m_singleInstance = true;
    qm::theApp.m_programFolderOverride = g_shipped;
    if (!qm::theApp.InitInstance({})) return 1;
    const int rc = WaitForExposeAndQuit(qm::theApp.GetMainFrame());
    qm::theApp.ExitInstance();
    return rc;
}

// The settings and socket folders of the Quillmark probe: a user who has started it before.
QTemporaryDir* g_home;

struct ProbeTimes {
    double exposedMs = 0;  // from just before the process starts to its window's first exposure
    double wholeMs = 0;    // to the end of the process
};

std::optional<ProbeTimes> RunProbe(const char* kind) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QUILLMARK_CONFIG_DIR", g_home->filePath("config"));
    env.insert("QUILLMARK_INSTANCE_SOCKET", g_home->filePath("run/quillmark.socket"));
    env.insert("XDG_DATA_HOME", g_home->filePath("data"));
    env.insert("XDG_STATE_HOME", g_home->filePath("state"));
    env.insert("XDG_CONFIG_HOME", g_home->filePath("xdgconfig"));
    p.setProcessEnvironment(env);
    const long long start = SteadyNanoseconds();
    p.start(g_self, {"--probe", kind});
    if (!p.waitForFinished(30000) || p.exitCode() != 0) return std::nullopt;
    const long long end = SteadyNanoseconds();
    long long exposed = 0;
    if (std::sscanf(p.readAllStandardOutput().constData(), "exposed %lld", &exposed) != 1) return std::nullopt;
    return ProbeTimes{(exposed - start) / 1e6, (end - start) / 1e6};
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// The three windows started in turn, round after round (each round in another order), so that
// whatever else the machine does weighs on all three alike; medians and their ratios.
bool CompareStartUp(int rounds) {
    const char* kinds[] = {"bare", "text", "quillmark"};
    std::vector<double> exposed[3], whole[3];
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < 3; ++i) {
            const int k = (round + i) % 3;
            const auto t = RunProbe(kinds[k]);
            if (!t) {
                std::fprintf(stderr, "the %s probe failed\n", kinds[k]);
                return false;
            }
            exposed[k].push_back(t->exposedMs);
            whole[k].push_back(t->wholeMs);
        }
    const double bare = Median(exposed[0]), text = Median(exposed[1]);
    const char* names[] = {"bare Qt main window", "Qt main window with text", "Quillmark"};
    std::printf("Start-up to the first exposed window, medians of %d interleaved rounds\n\n", rounds);
    std::printf("| %-26s | %10s | %13s | %7s | %9s |\n|---|---|---|---|---|\n", "Window", "to exposed",
                "whole process", "vs bare", "vs text");
    for (int k = 0; k < 3; ++k) {
        const double e = Median(exposed[k]);
        std::printf("| %-26s | %7.1f ms | %10.1f ms | %6.2fx | %8.2fx |\n", names[k], e, Median(whole[k]), e / bare,
                    e / text);
    }
    std::printf("\n");
    return true;
}

// A program folder whose data files hold every shipped list ten times over.
QTemporaryDir* g_big;
void WriteTenfold(const QString& rel) {
    QFile in(g_shipped + "/data/" + rel);
    in.open(QIODevice::ReadOnly);
    const QList<QByteArray> lines = in.readAll().split('\n');
    QByteArray out;
    if (rel.endsWith("data.txt")) {
        // Each section keeps its header once and its names ten times.
        QList<QByteArray> section;
        auto flush = [&] {
            for (int copy = 0; copy < 10; ++copy)
                for (const QByteArray& l : section) out += l.trimmed() + (copy ? QByteArray::number(copy) : "") + "\n";
            section.clear();
        };
        for (const QByteArray& l : lines) {
            if (l.trimmed().startsWith('[')) {
                flush();
                out += "\n" + l.trimmed() + "\n";
            } else if (!l.trimmed().isEmpty()) {
                section << l;
            }
        }
        flush();
    } else {
        for (int copy = 0; copy < 10; ++copy)
            for (const QByteArray& l : lines) out += l + "\n";
    }
    QDir().mkpath(QFileInfo(g_big->filePath("data/" + rel)).absolutePath());
    QFile f(g_big->filePath("data/" + rel));
    f.open(QIODevice::WriteOnly);
    f.write(out);
}

void BM_UpdateApplicationDataTenfold(benchmark::State& state) {
    for (auto _ : state) qm::theApp.UpdateApplicationData();
    state.counters["tree items"] = static_cast<double>(qm::theApp.m_catalogue.m_commands.size() +
                                                       qm::theApp.m_catalogue.m_weapons.size() +
                                                       qm::theApp.m_catalogue.m_ammo.size() +
                                                       qm::theApp.m_catalogue.m_equipment.size() +
                                                       qm::theApp.m_catalogue.m_vehicleAmmo.size());
}
BENCHMARK(BM_UpdateApplicationDataTenfold)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FillCommandTreeTenfold(benchmark::State& state) {
    for (auto _ : state) qm::theApp.GetMainFrame()->FillCommandTree();
}
BENCHMARK(BM_FillCommandTreeTenfold)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    g_self = QString::fromLocal8Bit(argv[0]);
    g_shipped = QFileInfo(g_self).absolutePath() + "/..";
    if (argc == 3 && QByteArray(argv[1]) == "--probe") return Probe(QString::fromLocal8Bit(argv[2]), 1, argv);

    QApplication app(argc, argv);
    qm::InitResources();
    qm::RegisterFontSubstitutions();
    g_home = new QTemporaryDir;
    qm::QSettingsRegistry(g_home->filePath("config"))
        .WriteInt(qm::Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "FirstRun", 0);
    g_big = new QTemporaryDir;
    for (const char* rel : {"resistance/commands.txt", "resistance/data.txt", "resistance/unit.txt",
                            "original/commands.txt", "original/data.txt", "original/unit.txt", "syntax.txt",
                            "header.txt"})
        WriteTenfold(rel);
    static qm::MemoryRegistry registry;
    static qm::bench::SilentPrompter prompter;
    registry.WriteInt(qm::Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "NewFile", 0);
    qm::theApp.m_registry = &registry;
    qm::theApp.m_prompter = &prompter;
    qm::theApp.m_programFolderOverride = g_big->path();
    qm::theApp.InitInstance({});
    qm::theApp.GetMainFrame()->show();
    QApplication::processEvents();

    benchmark::Initialize(&argc, argv);
    int rounds = 30;
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == "--startup-rounds") rounds = QByteArray(argv[i + 1]).toInt();
    if (rounds > 0 && !CompareStartUp(rounds)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    qm::theApp.ExitInstance();
    delete g_big;
    delete g_home;
    return 0;
}
