#include "ui/tools/snippetdlg.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "core/app/filefilter.h"
#include "core/app/safefile.h"
#include "core/tools/snippetstore.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/menus/pictures.h"
#include "ui/tools/snippetcommands.h"

namespace qm {

namespace {
constexpr int kPreviewWidth = 320;
constexpr int kMargin = 12;

// In-place label editing: remembers the label when editing starts and lets the dialog decide
// whether the new text is taken (only when the file could be renamed).
class LabelEditDelegate : public QStyledItemDelegate {
public:
    explicit LabelEditDelegate(CSnippetDlg* dlg) : QStyledItemDelegate(dlg), m_dlg(dlg) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        m_dlg->m_oldName = index.data(Qt::DisplayRole).toString();
        return QStyledItemDelegate::createEditor(parent, option, index);
    }
    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex& index) const override {
        auto* edit = qobject_cast<QLineEdit*>(editor);
        if (!edit) return;
        m_dlg->OnEndLabelEdit(m_dlg->m_wndList->item(index.row()), edit->text());
    }

private:
    CSnippetDlg* m_dlg;
};
}  // namespace

CSnippetDlg::CSnippetDlg(CMainFrame* main) : QDialog(main, Qt::Dialog), m_main(main) {
    setWindowTitle(QStringLiteral("My Snippets"));
    setWindowIcon(PictureIcon(QStringLiteral("snippet")));
    setModal(false);
    QFont f(QStringLiteral("MS Shell Dlg"));
    f.setPointSize(8);
    setFont(f);
    BuildLayout();
}

void CSnippetDlg::BuildLayout() {
    m_filesPane = new QWidget(this);
    auto* grid = new QGridLayout(m_filesPane);
    grid->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    auto* filesLabel = new QLabel(QStringLiteral("Snippet Files"), m_filesPane);
    m_wndList = new QListWidget(m_filesPane);
    m_wndList->setObjectName(QStringLiteral("snippetList"));
    filesLabel->setBuddy(m_wndList);
    m_wndList->setViewMode(QListView::ListMode);
    m_wndList->setFlow(QListView::TopToBottom);
    m_wndList->setWrapping(true);
    m_wndList->setResizeMode(QListView::Adjust);
    m_wndList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_wndList->setEditTriggers(QAbstractItemView::EditKeyPressed);
    m_wndList->setItemDelegate(new LabelEditDelegate(this));
    m_wndList->setMinimumSize(220, 230);

    m_wndInsert = new QPushButton(QStringLiteral("&Insert Snippet"), m_filesPane);
    m_wndImport = new QPushButton(QStringLiteral("I&mport Snippet(s)..."), m_filesPane);
    m_wndRename = new QPushButton(QStringLiteral("&Rename Snippet"), m_filesPane);
    m_wndDelete = new QPushButton(QStringLiteral("&Delete Snippet"), m_filesPane);
    m_wndShowPreview = new QCheckBox(QStringLiteral("&Show Preview"), m_filesPane);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {m_wndInsert, m_wndImport, m_wndRename, m_wndDelete}) {
        b->setAutoDefault(false);  // Enter inserts nothing by surprise
        buttons->addWidget(b);
    }
    buttons->addStretch(1);
    buttons->addWidget(m_wndShowPreview);
    grid->addWidget(filesLabel, 0, 0);
    grid->addWidget(m_wndList, 1, 0);
    grid->addLayout(buttons, 1, 1);

    m_previewPane = new QWidget(this);
    auto* previewLayout = new QVBoxLayout(m_previewPane);
    previewLayout->setContentsMargins(0, kMargin, 0, kMargin);
    auto* previewLabel = new QLabel(QStringLiteral("Snippet Preview"), m_previewPane);
    m_wndPreview = new QPlainTextEdit(m_previewPane);
    m_wndPreview->setObjectName(QStringLiteral("snippetPreview"));
    m_wndPreview->setReadOnly(true);
    m_wndPreview->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_wndPreview->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_wndPreview->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont mono(QStringLiteral("Courier New"));
    mono.setPointSize(9);
    m_wndPreview->setFont(mono);
    previewLabel->setBuddy(m_wndPreview);
    previewLayout->addWidget(previewLabel);
    previewLayout->addWidget(m_wndPreview, 1);

    // Fixed places: the preview lies right of everything else, so narrowing the dialog hides it.
    const QSize files = m_filesPane->sizeHint();
    m_filesPane->setGeometry(0, 0, files.width(), files.height());
    m_previewPane->setGeometry(files.width(), 0, kPreviewWidth, files.height());

    connect(m_wndList, &QListWidget::itemSelectionChanged, this, &CSnippetDlg::OnSelectionChanged);
    connect(m_wndList, &QListWidget::itemDoubleClicked, this, [this] { OnInsertSnippet(); });
    connect(m_wndInsert, &QPushButton::clicked, this, &CSnippetDlg::OnInsertSnippet);
    connect(m_wndImport, &QPushButton::clicked, this, &CSnippetDlg::OnImportSnippets);
    connect(m_wndRename, &QPushButton::clicked, this, &CSnippetDlg::OnRenameSnippet);
    connect(m_wndDelete, &QPushButton::clicked, this, &CSnippetDlg::OnDeleteSnippet);
    connect(m_wndShowPreview, &QCheckBox::clicked, this, &CSnippetDlg::OnShowPreview);
}

bool CSnippetDlg::Create(const QString& folder, int showPreview) {
    m_folder = folder;
    m_showPreview = showPreview != 0 ? 1 : 0;
    m_wndShowPreview->setChecked(m_showPreview == 1);
    RefreshSnippets();
    SizeForPreview();
    return m_wndList != nullptr;
}

QListWidgetItem* CSnippetDlg::SelectedItem() const {
    const QList<QListWidgetItem*> selected = m_wndList->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

void CSnippetDlg::RefreshSnippets() {
    m_text.clear();
    m_textWhole = true;
    {
        const QSignalBlocker block(m_wndList);
        m_wndList->clear();
        for (const std::string& name : SnippetStore(m_folder.toStdString()).List()) {
            auto* item = new QListWidgetItem(QString::fromStdString(name), m_wndList);
            item->setFlags(item->flags() | Qt::ItemIsEditable);
        }
    }
    UpdateButtons();
    m_wndPreview->setPlainText(m_text);
}

bool CSnippetDlg::LoadSnippet(const QString& name) {
    std::string text;
    if (!SnippetStore(m_folder.toStdString()).Load(name.toStdString(), text)) return false;
    m_text = QString::fromStdString(text);
    m_textWhole = true;
    m_wndPreview->setPlainText(m_text);
    return true;
}

void CSnippetDlg::OnSelectionChanged() {
    QString shown = m_text;
    if (QListWidgetItem* item = SelectedItem()) {
        // Only the start is read: a huge or binary file in the folder must not hold the window up.
        const SnippetPreview preview = SnippetStore(m_folder.toStdString()).Preview(item->text().toStdString());
        const QString size = QString::fromStdString(FormatFileSize(preview.size));
        m_textWhole = !preview.ok || (preview.whole && !preview.binary);
        if (!preview.ok) m_text = QString::fromLatin1(kSnippetOpenError);
        else if (m_textWhole) m_text = QString::fromStdString(preview.text);
        else m_text.clear();
        shown = m_text;
        if (preview.ok && preview.binary)
            shown = QStringLiteral("This snippet holds binary data\n(%1) and is not shown.").arg(size);
        else if (preview.ok && !preview.whole)
            shown = QString::fromStdString(preview.text) +
                    QStringLiteral("\n\n[Only the start is shown:\nthis snippet holds %1.]").arg(size);
    }
    UpdateButtons();
    m_wndPreview->setPlainText(shown);
}

void CSnippetDlg::UpdateButtons() {
    const bool selected = SelectedItem() != nullptr;
    for (QPushButton* b : {m_wndInsert, m_wndRename, m_wndDelete}) b->setEnabled(selected);
}

void CSnippetDlg::OnInsertSnippet() {
    if (!m_main) return;
    if (!m_textWhole) {
        QListWidgetItem* item = SelectedItem();
        std::string text;
        if (!item || !SnippetStore(m_folder.toStdString()).Load(item->text().toStdString(), text)) {
            theApp.GetPrompter().MessageBox(QString::fromLatin1(kSnippetOpenError), QStringLiteral("My Snippets"),
                                            MbButtons::Ok, MbIcon::Error);
            return;
        }
        m_main->InsertSnippetText(QString::fromStdString(text));  // not kept: the next insert reads it again
        return;
    }
    m_main->InsertSnippetText(m_text);
}

void CSnippetDlg::OnImportSnippets() {
    FileDialogRequest request;
    request.title = QStringLiteral("Import Snippets");
    request.filter = BuildFileFilter(true);
    const QStringList files = theApp.GetPrompter().GetOpenFileNames(request);
    if (files.isEmpty()) return;
    std::vector<std::string> paths;
    for (const QString& f : files) paths.push_back(f.toStdString());
    SnippetStore(m_folder.toStdString()).Import(paths);  // stops quietly at the first failure
    RefreshSnippets();
}

void CSnippetDlg::OnRenameSnippet() {
    QListWidgetItem* item = SelectedItem();
    if (!item) return;
    m_wndList->setFocus();
    m_wndList->editItem(item);
}

void CSnippetDlg::OnEndLabelEdit(QListWidgetItem* item, const QString& newText) {
    if (!item) return;
    const std::string name = newText.toStdString();
    if (!newText.isEmpty() && newText != m_oldName && !IsValidSnippetName(name)) {
        // Told after the editor has closed: a message box inside the edit's commit would re-enter it.
        const QString text = QString::fromStdString(InvalidSnippetNameMessage(name));
        QMetaObject::invokeMethod(
            this,
            [text] {
                theApp.GetPrompter().MessageBox(text, QStringLiteral("Rename Snippet"), MbButtons::Ok,
                                                MbIcon::Warning);
            },
            Qt::QueuedConnection);
        return;
    }
    if (SnippetStore(m_folder.toStdString()).Rename(m_oldName.toStdString(), name)) item->setText(newText);
}

void CSnippetDlg::OnDeleteSnippet() {
    if (theApp.GetPrompter().MessageBox(QStringLiteral("Are you sure you want to delete the\nselected snippet file."),
                                        QStringLiteral("Delete Snippet"), MbButtons::YesNo,
                                        MbIcon::Warning) != IDYES)
        return;
    QListWidgetItem* item = SelectedItem();
    if (!item) return;
    SnippetStore(m_folder.toStdString()).Remove(item->text().toStdString());  // a failure is not reported
    RefreshSnippets();
}

void CSnippetDlg::OnShowPreview() {
    m_showPreview = m_wndShowPreview->isChecked() ? 1 : 0;
    if (m_main) m_main->m_preview = m_showPreview;
    SizeForPreview();
}

void CSnippetDlg::SizeForPreview() {
    const QRect preview = m_previewPane->geometry();
    const int width = m_showPreview ? preview.right() + 1 + kMargin : preview.left();
    setFixedSize(width, m_filesPane->height());
}

}  // namespace qm
