// CMainFrame: the Options command and the file-type associations.
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>

#include "core/options/filetypes.h"
#include "core/options/xdgfiletypes.h"
#include "ui/app/quillmark.h"
#include "ui/frames/childfrm.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/mainfrm.h"
#include "ui/options/proppage1.h"
#include "ui/options/proppage2.h"
#include "ui/options/proppage3.h"
#include "ui/options/proppage4.h"
#include "ui/options/propsheet.h"
#include "ui/views/editview.h"
#include "ui/views/zoom.h"

namespace qm {

namespace {
// In the order of the Scripts page's colour buttons.
constexpr int FrameSettings::*kColourMembers[CPropPage2::kColours] = {
    &FrameSettings::m_textColour,        &FrameSettings::m_remarkColour,   &FrameSettings::m_commandColour,
    &FrameSettings::m_itemColour,        &FrameSettings::m_programmingColour, &FrameSettings::m_variableColour,
    &FrameSettings::m_backgroundColour};
}  // namespace

void CMainFrame::OnOptions() {
    CPropSheet sheet(this);
    LoadOptions(sheet);
    sheet.OnInitSheet();
    if (sheet.exec() == QDialog::Accepted) ApplyOptions(sheet);
}

void CMainFrame::LoadOptions(CPropSheet& sheet) const {
    CPropPage1& g = *sheet.m_page1;
    g.m_newFile = m_newFile;
    g.m_font = QString::fromStdString(m_fontName);
    g.m_fontSize = m_fontSize;
    g.m_bold = m_boldFonts;
    g.m_expansion = theApp.m_expansionEdition;
    g.m_showSyntax = m_showSyntax;
    g.m_showUsers = m_showUsers;
    g.m_appMax = m_appMax;
    g.m_docMax = m_docMax;
    g.m_customMenus = m_customMenus;
    g.m_trimMRU = m_trimMRU;
    g.m_mrus = m_mrus;
    g.m_tabWidth = m_tabWidth;
    g.m_reopenLast = m_reopenLast;
    g.m_autoComplete = m_autoComplete;
    g.m_menusAtStartUp = theApp.m_customMenus == 1;

    CPropPage2& s = *sheet.m_page2;
    s.m_format = m_format;
    s.m_addHeader = m_addHeader;
    for (int i = 0; i < CPropPage2::kColours; ++i) s.m_colours[i] = this->*kColourMembers[i];

    CPropPage3& m = *sheet.m_page3;
    m.m_snippetDir = QString::fromStdString(m_snippetDir);
    m.m_backupDir = QString::fromStdString(m_backupDir);
    m.m_comRefDir = QString::fromStdString(m_comRefPath);
    m.m_nosplash = m_nosplash;
    m.m_window = m_window;

    const auto& types = FileTypeSettings();
    for (size_t i = 0; i < types.size(); ++i) sheet.m_page4->m_types[i] = this->*types[i].member;
}

void CMainFrame::ApplyOptions(const CPropSheet& sheet) {
    const CPropPage1& g = *sheet.m_page1;
    m_newFile = g.m_newFile;
    m_showSyntax = g.m_showSyntax;
    if (m_wndCommandBar) m_wndCommandBar->ShowSyntaxPane(m_showSyntax != 0);

    if (g.m_expansion != theApp.m_expansionEdition) {
        theApp.m_expansionEdition = g.m_expansion;
        theApp.UpdateApplicationData();
        UpdateStatusIndicators();  // the edition pane
    }

    // Custom menus and the mission commands take effect at the next start.
    m_showUsers = g.m_showUsers;
    m_appMax = g.m_appMax;
    m_docMax = g.m_docMax;
    m_customMenus = g.m_customMenus;
    m_trimMRU = g.m_trimMRU;
    m_mrus = g.m_mrus;

    m_reopenLast = g.m_reopenLast;
    m_autoComplete = g.m_autoComplete;
    const std::string font = g.m_font.toStdString();
    if (font != m_fontName || g.m_fontSize != m_fontSize || g.m_bold != m_boldFonts || g.m_tabWidth != m_tabWidth) {
        m_fontName = font;
        m_fontSize = g.m_fontSize;
        m_boldFonts = g.m_bold;
        m_tabWidth = g.m_tabWidth;
        UpdateEditorFont();
        // Every window, further ones on a document (New Window) included; tab stops follow the font.
        ApplyFontToViews(*this);
    }

    // Documents already open keep their colours.
    const CPropPage2& s = *sheet.m_page2;
    m_format = s.m_format;
    m_addHeader = s.m_addHeader;
    for (int i = 0; i < CPropPage2::kColours; ++i) this->*kColourMembers[i] = s.m_colours[i];

    const CPropPage3& m = *sheet.m_page3;
    m_snippetDir = m.m_snippetDir.toStdString();
    m_backupDir = m.m_backupDir.toStdString();
    m_comRefPath = m.m_comRefDir.toStdString();
    m_nosplash = m.m_nosplash;
    m_window = m.m_window;

    const auto& types = FileTypeSettings();
    for (size_t i = 0; i < types.size(); ++i) {
        const int wanted = sheet.m_page4->m_types[i];
        if (this->*types[i].member == wanted) continue;
        this->*types[i].member = wanted;
        SetFileTypeAssociation(types[i].kind, wanted == 1);
    }
}

void CMainFrame::SetFileTypeAssociation(DocKind kind, bool associate) {
    qm::SetFileTypeAssociation(theApp.GetRegistry(), kind, associate);
    if (theApp.m_desktopFileTypes) theApp.m_desktopFileTypes->SetFileTypeAssociation(theApp.GetRegistry(), kind, associate);
}

}  // namespace qm
