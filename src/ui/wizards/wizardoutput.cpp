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

std::optional<QString> AskSavePath(const FileDialogRequest& request) {
    return theApp.GetPrompter().GetSaveFileName(request);
}

bool CheckWizardFileName(const QString& path) {
    const QString title = FileTitle(path);
    if (IsValidWizardName(title.toStdString())) return true;
    theApp.GetPrompter().MessageBox(
        QStringLiteral("\"%1\" cannot be used as a file name.\nA file name must not be empty or hold any of "
                       "these characters: \\ / : * ? | \" < >\nNothing was saved.")
            .arg(title),
        QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
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
