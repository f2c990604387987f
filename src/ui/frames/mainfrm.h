#pragma once
#include <QFont>
#include <QMainWindow>

#include "core/options/settingstable.h"

class QMdiArea;
class QMimeData;
class QMdiSubWindow;

namespace qm {

class CChildFrame;
class CScriptDoc;

// The one main window. Holds every persisted setting as a member.
class CMainFrame : public QMainWindow, public FrameSettings {
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Builds the window; false when a part of it cannot be created.
    bool LoadFrame();

    void AddDocumentFrame(CChildFrame* frame);
    CScriptDoc* ActiveDocument() const;
    QMdiArea* MdiArea() const { return m_mdiArea; }
    void CloseAllDocumentsWithoutAsking();
    void OnCatalogueReloaded();
    void UpdateEditorFont();
    // Opens every local file dropped onto the window.
    void OpenDroppedFiles(const QMimeData& data);

    QFont m_editorFont;

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildMenus();
    void UpdateCaption();
    void SaveSettings();

    QMdiArea* m_mdiArea = nullptr;
};

}  // namespace qm
