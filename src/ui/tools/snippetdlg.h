#pragma once
#include <QDialog>
#include <QString>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace qm {

class CMainFrame;

// "My Snippets": the modeless list of the snippet files, with a preview. Owned by the main
// frame, created hidden; the close box and Esc hide it.
class CSnippetDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSnippetDlg(CMainFrame* main);

    // Folder and preview flag come from the settings before Create.
    bool Create(const QString& folder, int showPreview);

    // Re-reads the snippets folder; the current text becomes empty.
    void RefreshSnippets();
    // Makes the snippet the current text and shows it. False, changing nothing, when it cannot be read.
    bool LoadSnippet(const QString& name);

    void OnInsertSnippet();
    void OnImportSnippets();
    void OnRenameSnippet();
    void OnDeleteSnippet();
    void OnShowPreview();

    // The end of an in-place rename: the item shows the new name only when the file moved.
    void OnEndLabelEdit(QListWidgetItem* item, const QString& newText);

    // Widths for the preview state: the dialog ends 12 pixels right of the preview, or at its left edge.
    void SizeForPreview();

    QString m_folder;
    QString m_text;     // the current snippet text
    bool m_textWhole = true;  // false: only a preview was read, Insert reads the snippet whole
    QString m_oldName;  // the label before a rename
    int m_showPreview = 1;

    QListWidget* m_wndList = nullptr;
    QPushButton* m_wndInsert = nullptr;
    QPushButton* m_wndImport = nullptr;
    QPushButton* m_wndRename = nullptr;
    QPushButton* m_wndDelete = nullptr;
    QCheckBox* m_wndShowPreview = nullptr;
    QPlainTextEdit* m_wndPreview = nullptr;

private:
    void BuildLayout();
    void OnSelectionChanged();
    void UpdateButtons();
    QListWidgetItem* SelectedItem() const;

    CMainFrame* m_main;
    QWidget* m_filesPane = nullptr;
    QWidget* m_previewPane = nullptr;
};

}  // namespace qm
