#include "platform/shell.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace qm {

bool ShellOpen(const QString& pathOrUrl) {
    const QUrl url = QFileInfo::exists(pathOrUrl) ? QUrl::fromLocalFile(QFileInfo(pathOrUrl).absoluteFilePath())
                                                  : QUrl(pathOrUrl);
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool StartProgram(const QString& program, const QStringList& arguments, const QString& folder,
                  const QList<QPair<QString, QString>>& environment) {
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setWorkingDirectory(folder);
    if (!environment.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const auto& [name, value] : environment) env.insert(name, value);
        process.setProcessEnvironment(env);
    }
    return process.startDetached();
}

}  // namespace qm
