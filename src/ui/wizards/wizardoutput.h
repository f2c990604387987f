#pragma once
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "core/doc/dockinds.h"
#include "ui/app/prompter.h"

class QLineEdit;

namespace qm {

// What the wizards do with a generated file. Message texts differ per wizard, so the caller
// passes them.

// A new, modified document of the kind (Script, Description or Briefing) holding the text, titled
// `title`. Tells `done` with `doneCaption`, or `failed` (caption "FILE ERROR") when there is no
// main window or no document.
bool CreateInEditor(DocKind kind, const std::string& text, const QString& title, const QString& failed,
                    const QString& done, const QString& doneCaption);

// The save dialog every wizard's Create To Disk asks; nullopt when cancelled. A file name the
// wizards refuse (CheckWizardFileName) is told and the dialog opens again holding it.
std::optional<QString> AskSavePath(const FileDialogRequest& request);

// The file-name check every wizard's save runs before it writes anything: the chosen file's title
// (its name without folder and extension) must obey the rule of the wizards' name fields, not
// empty and none of \ / : * ? | " < >. Otherwise tells the user so (caption "FILE ERROR") and
// returns false. SaveGeneratedText (and so every save below) calls it; a wizard that writes a
// file by other means calls it first.
bool CheckWizardFileName(const QString& path);

// Checks the file name (CheckWizardFileName), then writes the text to path, crash-safe. Tells `done` with `doneCaption`, or `failed` (caption
// "FILE ERROR") and leaves an existing file as it was.
bool SaveGeneratedText(const QString& path, const std::string& text, const QString& failed, const QString& done,
                       const QString& doneCaption);

// "Browse...": an open dialog; the chosen file's name without its folder, nullopt when cancelled.
std::optional<QString> AskFileName(const FileDialogRequest& request);

// The script forms of the above, for the unit and crate wizards:

// A new, modified Script document holding the text, titled `title`. Tells `done` (caption
// "Script Created"), or `failed` (caption "FILE ERROR") when there is no main window or no document.
bool CreateScriptInEditor(const std::string& text, const QString& title, const QString& failed, const QString& done);

// The save dialog for a script ("Script Files (*.sqs)", extension sqs), proposing `name`.
// Nullopt when cancelled.
std::optional<QString> AskScriptPath(const QString& dialogTitle, const QString& name);

// Writes the text to path, crash-safe. Tells `done` (caption "Script Saved"), or `failed`
// (caption "FILE ERROR") and leaves an existing file as it was.
bool SaveScriptFile(const QString& path, const std::string& text, const QString& failed, const QString& done);

// A chosen file's name without folder and extension: the name the script is built with.
QString FileTitle(const QString& path);

// Create To Disk: the script names the file it is saved in, so the chosen file's title goes into
// the name field before `build` runs; a failed save puts the old name back.
bool SaveScriptNamedByFile(QLineEdit& name, const QString& path, const std::function<std::string()>& build,
                           const QString& failed, const QString& done);

}  // namespace qm
