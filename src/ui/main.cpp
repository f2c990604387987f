#include <QApplication>
#include <QDir>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "core/app/programinfo.h"
#include "core/doc/recoveryfile.h"

#include "platform/qsettingsregistry.h"
#include "platform/xdgdesktop.h"
#include "ui/app/fonts.h"
#include "ui/app/resources.h"
#include "ui/app/qtprompter.h"
#include "ui/app/quillmark.h"

int main(int argc, char** argv) {
    // Answered before QApplication exists: no display is needed, no window opens, no setting is read.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (const auto info = qm::MatchInfoRequest(args); info != qm::InfoRequest::None)
        return qm::ShowInfo(info, QM_VERSION, stdout, stderr);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmark"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwell"));
    qm::InitResources();
    qm::RegisterFontSubstitutions();

    qm::QSettingsRegistry registry;
    qm::QtPrompter prompter;
    qm::theApp.m_registry = &registry;
    qm::theApp.m_prompter = &prompter;
    const auto desktopFileTypes = qm::MakeDesktopFileTypes();
    qm::theApp.m_desktopFileTypes = desktopFileTypes.get();
    qm::theApp.m_singleInstance = true;
    std::optional<std::string> stateHome;
    if (qEnvironmentVariableIsSet("XDG_STATE_HOME")) stateHome = qEnvironmentVariable("XDG_STATE_HOME").toStdString();
    qm::theApp.m_recoveryFolder =
        QString::fromStdString(qm::RecoveryFolder(stateHome, QDir::homePath().toStdString()));

    int rc = 0;
    if (qm::theApp.InitInstance(QApplication::arguments().mid(1))) rc = QApplication::exec();
    qm::theApp.ExitInstance();
    return rc;
}
