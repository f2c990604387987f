#pragma once
#include <QString>
#include <QStringList>

namespace qm {

// Opens a document, page or folder with the desktop's program for it. False when nothing could.
bool ShellOpen(const QString& pathOrUrl);

// Starts a program on its own, in the given folder. False when it could not be started.
bool StartProgram(const QString& program, const QStringList& arguments, const QString& folder);

}  // namespace qm
