#pragma once
#include <QString>
#include <QList>
#include <QPair>
#include <QStringList>

namespace qm {

// Opens a document, page or folder with the desktop's program for it. False when nothing could.
bool ShellOpen(const QString& pathOrUrl);

// Starts a program on its own, in the given folder, with these variables added to the
// environment. False when it could not be started.
bool StartProgram(const QString& program, const QStringList& arguments, const QString& folder,
                  const QList<QPair<QString, QString>>& environment = {});

}  // namespace qm
