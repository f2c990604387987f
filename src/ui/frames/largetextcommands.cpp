// CMainFrame: the commands a very large file's window cannot serve.
#include <QFileInfo>

#include "core/app/safefile.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/mainfrm.h"

namespace qm {

bool CMainFrame::RefuseForLargeText() const {
    if (!ActiveLargeView()) return false;
    const CScriptDoc* doc = ActiveDocument();
    const QString name = doc && !doc->GetPathName().isEmpty() ? QFileInfo(doc->GetPathName()).fileName() : QString();
    // Carried out on nothing, the command would seem to work: the user is told instead.
    theApp.GetPrompter().MessageBox(
        QStringLiteral("This command is not available for %1.\nFiles of %2 or more open in the editor for very "
                       "large files, which offers typing, Undo, Redo, Cut, Copy, Paste, Select All, Find, Replace, "
                       "Go To Line, the labels bar, printing and saving.")
            .arg(name.isEmpty() ? QStringLiteral("this document") : name,
                 QString::fromStdString(FormatFileSize(CScriptDoc::s_open.largeTextBytes))),
        {}, MbButtons::Ok, MbIcon::Information);
    return true;
}

}  // namespace qm
