#include "platform/xdgdesktop.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>

namespace qm {

bool RunUpdateMimeDatabase(const std::string& mimeFolder) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-mime-database"));
    if (tool.isEmpty()) return false;
    QProcess p;
    p.start(tool, {QString::fromStdString(mimeFolder)});
    // A hung tool must not hang the program; the database then catches up at its next update.
    if (!p.waitForFinished(15000)) {
        p.kill();
        p.waitForFinished(1000);
        return false;
    }
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

std::unique_ptr<XdgFileTypes> MakeDesktopFileTypes() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    return nullptr;
#else
    XdgDirs dirs = XdgDirsFromEnvironment();
    if (!dirs.Usable()) return nullptr;
    return std::make_unique<XdgFileTypes>(std::move(dirs), QCoreApplication::applicationFilePath().toStdString(),
                                          [](const std::string& folder) { RunUpdateMimeDatabase(folder); });
#endif
}

}  // namespace qm
