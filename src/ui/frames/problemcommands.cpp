#include "ui/frames/problemcommands.h"

#include <QAction>
#include <QFileInfo>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandids.h"
#include "ui/frames/mainfrm.h"
#include "ui/frames/problemsbar.h"
#include "ui/menus/pictures.h"
#include "ui/tools/missioncheckjob.h"

namespace qm {

namespace {
constexpr int kProblemsBarHeight = 160;
constexpr int kCheckMissionPicture = 205;

CMissionCheckJob* MissionJob(CMainFrame& main) {
    auto* job = main.findChild<CMissionCheckJob*>(QString(), Qt::FindDirectChildrenOnly);
    if (job) return job;
    job = new CMissionCheckJob(&main);
    CMainFrame* m = &main;
    QObject::connect(job, &CMissionCheckJob::Progress, m, [m](int done, int total) {
        const QLocale l(QLocale::English);
        m->statusBar()->showMessage(
            QStringLiteral("Checking the mission: %1 of %2 files").arg(l.toString(done), l.toString(total)));
    });
    QObject::connect(job, &CMissionCheckJob::Finished, m,
                     [m](const QString& folder, const std::vector<MissionFinding>& findings) {
                         CProblemsBar* bar = ProblemsBar(*m, true);
                         bar->SetMissionFindings(folder, findings);
                         if (bar->isHidden()) OnToggleProblemsBar(*m);
                         m->statusBar()->showMessage(
                             findings.empty() ? QStringLiteral("Mission check: nothing found")
                                              : QStringLiteral("Mission check: %1 found").arg(findings.size()));
                     });
    return job;
}
}  // namespace

CProblemsBar* ProblemsBar(CMainFrame& main, bool make) {
    auto* bar = main.findChild<CProblemsBar*>(QString(), Qt::FindDirectChildrenOnly);
    if (bar || !make) return bar;
    bar = new CProblemsBar(&main);
    bar->hide();
    main.addDockWidget(Qt::BottomDockWidgetArea, bar);
    main.resizeDocks({bar}, {kProblemsBarHeight}, Qt::Vertical);
    CMainFrame* m = &main;
    QObject::connect(bar, &CProblemsBar::Closed, m, [m] {
        m->m_problemsBar = 0;
        UpdateProblemCommands(*m);
    });
    QObject::connect(main.MdiArea(), &QMdiArea::subWindowActivated, bar, [m, bar] { bar->Follow(m->ActiveView()); });
    bar->Follow(main.ActiveView());
    return bar;
}

void ConnectProblemCommands(CMainFrame& main) {
    CMainFrame* m = &main;
    QAction* bar = main.AddAction(ID_VIEW_PROBLEMS, "P&roblems");
    bar->setCheckable(true);
    bar->setStatusTip(QStringLiteral("Show or hide the problems of the active script and of the mission check"));
    QObject::connect(bar, &QAction::triggered, m, [m] { OnToggleProblemsBar(*m); });
    QAction* check = main.AddAction(ID_CHECK_MISSION, "Check &Mission");
    check->setIcon(QIcon(QPixmap::fromImage(MenuPicture(kCheckMissionPicture))));
    check->setStatusTip(QStringLiteral("Check every script of the active document's folder and the files they name"));
    QObject::connect(check, &QAction::triggered, m, [m] { OnCheckMission(*m); });
}

void CreateProblemsBarIfShown(CMainFrame& main) {
    if (main.m_problemsBar == 1) ProblemsBar(main, true)->show();
}

void UpdateProblemCommands(CMainFrame& main) {
    if (QAction* a = main.Action(ID_VIEW_PROBLEMS)) a->setChecked(main.m_problemsBar == 1);
    const CScriptDoc* doc = main.ActiveDocument();
    if (QAction* a = main.Action(ID_CHECK_MISSION)) a->setEnabled(doc && !doc->GetPathName().isEmpty());
}

void OnToggleProblemsBar(CMainFrame& main) {
    CProblemsBar* bar = ProblemsBar(main, true);
    const bool show = bar->isHidden();
    main.m_problemsBar = show ? 1 : 0;
    bar->setVisible(show);
    if (show) bar->Follow(main.ActiveView());
    UpdateProblemCommands(main);
}

void OnCheckMission(CMainFrame& main) {
    const CScriptDoc* doc = main.ActiveDocument();
    if (!doc) return;
    if (doc->GetPathName().isEmpty()) {
        theApp.GetPrompter().MessageBox(
            QStringLiteral("Save the document in its mission folder first: the check reads the folder it is in."),
            QStringLiteral("Check Mission"), MbButtons::Ok, MbIcon::Information);
        return;
    }
    const QString folder = QFileInfo(doc->GetPathName()).absolutePath();
    main.statusBar()->showMessage(QStringLiteral("Checking the mission..."));
    MissionJob(main)->Start(folder);
}

}  // namespace qm
