#include "ui/wizards/wizardoutput.h"

#include <QLineEdit>

#include <QFileInfo>

#include "core/wizards/generatedfile.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"

namespace qm {

bool CreateScriptInEditor(const std::string& text, const QString& title, const QString& failed, const QString& done) {
    Prompter& prompter = theApp.GetPrompter();
    CMainFrame* frame = theApp.GetMainFrame();
    if (!frame || !frame->CreateScriptDocument(QString::fromStdString(text), title)) {
        prompter.MessageBox(failed, QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
        return false;
    }
    prompter.MessageBox(done, QStringLiteral("Script Created"), MbButtons::Ok, MbIcon::None);
    return true;
}

std::optional<QString> AskScriptPath(const QString& dialogTitle, const QString& name) {
    FileDialogRequest request{dialogTitle, "Script Files (*.sqs)|*.sqs||", QStringLiteral("sqs"), name, {}};
    return theApp.GetPrompter().GetSaveFileName(request);
}

bool SaveScriptFile(const QString& path, const std::string& text, const QString& failed, const QString& done) {
    Prompter& prompter = theApp.GetPrompter();
    const TextSaveReport report = WriteGeneratedFile(path.toStdString(), text);
    if (!report.result.ok) {
        prompter.MessageBox(failed, QStringLiteral("FILE ERROR"), MbButtons::Ok, MbIcon::None);
        return false;
    }
    prompter.MessageBox(done, QStringLiteral("Script Saved"), MbButtons::Ok, MbIcon::None);
    if (report.unmappable > 0)
        prompter.MessageBox(
            QStringLiteral("%1 character(s) have no equivalent in the file's character set (Windows-1252) "
                           "and were saved as \"?\".")
                .arg(report.unmappable),
            {}, MbButtons::Ok, MbIcon::Warning);
    return true;
}

QString FileTitle(const QString& path) { return QFileInfo(path).completeBaseName(); }

bool SaveScriptNamedByFile(QLineEdit& name, const QString& path, const std::function<std::string()>& build,
                           const QString& failed, const QString& done) {
    const QString previous = name.text();
    name.setText(FileTitle(path));
    if (SaveScriptFile(path, build(), failed, done)) return true;
    name.setText(previous);
    return false;
}

}  // namespace qm
