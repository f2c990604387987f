#include "ui/wizards/wizardoutput.h"

#include <QLineEdit>

#include <QFileInfo>

#include "core/wizards/generatedfile.h"
#include "core/wizards/wizardcommon.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

bool CreateInEditor(DocKind kind, const std::string& text, const QString& title, const QString& failed,
                    const QString& done, const QString& doneCaption) {
    Prompter& prompter = theApp.GetPrompter();
    CMainFrame* frame = theApp.GetMainFrame();
    if (!frame || !frame->CreateDocumentWithText(kind, QString::fromStdString(text), title)) {
        prompter.MessageBox(failed, QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
        return false;
    }
    prompter.MessageBox(done, doneCaption, MbButtons::Ok, MbIcon::None);
    return true;
}

namespace {
void TellBadFileName(const QString& title, const QString& afterwards) {
    // The characters stand on a line of their own, so a narrow message box cannot break the list.
    theApp.GetPrompter().MessageBox(
        QStringLiteral("\"%1\" cannot be used as a file name.\nA file name must not be empty or hold any of "
                       "these characters:\n\\  /  :  *  ?  |  \"  <  >\n%2")
            .arg(title, afterwards),
        QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
}
}  // namespace

std::optional<QString> AskSavePath(const FileDialogRequest& request) {
    // A refused name brings the dialog back with the name and folder as chosen, so the user
    // corrects it rather than starting the save again.
    FileDialogRequest ask = request;
    for (;;) {
        const std::optional<QString> path = theApp.GetPrompter().GetSaveFileName(ask);
        if (!path || IsValidWizardName(FileTitle(*path).toStdString())) return path;
        TellBadFileName(FileTitle(*path), QStringLiteral("Choose another name."));
        const QFileInfo chosen(*path);
        ask.proposedName = chosen.fileName();
        ask.initialFolder = chosen.absolutePath();
    }
}

bool CheckWizardFileName(const QString& path) {
    const QString title = FileTitle(path);
    if (IsValidWizardName(title.toStdString())) return true;
    TellBadFileName(title, QStringLiteral("Nothing was saved."));
    return false;
}

bool SaveGeneratedText(const QString& path, const std::string& text, const QString& failed, const QString& done,
                       const QString& doneCaption) {
    if (!CheckWizardFileName(path)) return false;
    Prompter& prompter = theApp.GetPrompter();
    const TextSaveReport report = WriteGeneratedFile(path.toStdString(), text);
    if (!report.result.ok) {
        prompter.MessageBox(failed, QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
        return false;
    }
    prompter.MessageBox(done, doneCaption, MbButtons::Ok, MbIcon::None);
    TellUnmappable(prompter, report.unmappable);
    return true;
}

std::optional<QString> AskFileName(const FileDialogRequest& request) {
    const std::optional<QString> path = theApp.GetPrompter().GetOpenFileName(request);
    if (!path) return std::nullopt;
    return QFileInfo(*path).fileName();
}

bool CreateScriptInEditor(const std::string& text, const QString& title, const QString& failed, const QString& done) {
    return CreateInEditor(DocKind::Script, text, title, failed, done, QStringLiteral("Script Created"));
}

std::optional<QString> AskScriptPath(const QString& dialogTitle, const QString& name) {
    return AskSavePath({dialogTitle, "Script Files (*.sqs)|*.sqs||", QStringLiteral("sqs"), name, {}});
}

bool SaveScriptFile(const QString& path, const std::string& text, const QString& failed, const QString& done) {
    return SaveGeneratedText(path, text, failed, done, QStringLiteral("Script Saved"));
}

QString FileTitle(const QString& path) { return QFileInfo(path).completeBaseName(); }

bool SaveScriptNamedByFile(QLineEdit& name, const QString& path, const std::function<std::string()>& build,
                           const QString& failed, const QString& done) {
    if (!CheckWizardFileName(path)) return false;  // the name field keeps a name it accepts
    const QString previous = name.text();
    name.setText(FileTitle(path));
    if (SaveScriptFile(path, build(), failed, done)) return true;
    name.setText(previous);
    return false;
}

}  // namespace qm
