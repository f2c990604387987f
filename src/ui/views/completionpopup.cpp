#include "ui/views/completionpopup.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTreeView>
#include <QVBoxLayout>
#include <algorithm>

#include "core/views/scriptcontext.h"
#include "ui/app/quillmark.h"
#include "ui/frames/mainfrm.h"
#include "ui/views/editview.h"
#include "ui/views/scriptassist.h"

namespace qm {

namespace {
constexpr int kRowsShown = 10;
constexpr int kMinTyped = 3;         // letters typed before the list opens by itself
constexpr int kLongestDetail = 48;   // characters of a syntax line shown beside its command

std::u16string_view LineText(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<size_t>(text.size())};
}
}  // namespace

// The entries the list shows: the name, and beside it in grey what it is.
class CompletionListModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void Set(const std::vector<CompletionItem>* items, std::vector<int> shown) {
        beginResetModel();
        m_items = items;
        m_shown = std::move(shown);
        endResetModel();
    }
    const CompletionItem& Item(int row) const { return (*m_items)[static_cast<size_t>(m_shown[static_cast<size_t>(row)])]; }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !m_items ? 0 : static_cast<int>(m_shown.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : 2; }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || index.row() >= rowCount()) return {};
        if (role == Qt::DisplayRole)
            return QString::fromStdString(index.column() == 0 ? Item(index.row()).text : Item(index.row()).detail);
        if (role == Qt::ForegroundRole && index.column() == 1) return QColor(Qt::darkGray);
        return {};
    }

private:
    const std::vector<CompletionItem>* m_items = nullptr;
    std::vector<int> m_shown;
};

CCompletionPopup::CCompletionPopup(CEditView* view)
    : QFrame(view, Qt::ToolTip | Qt::FramelessWindowHint), m_view(view) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);
    setFrameShape(QFrame::Box);
    setObjectName(QStringLiteral("CompletionList"));
    m_model = new CompletionListModel(this);
    m_list = new QTreeView(this);
    m_list->setModel(m_model);
    m_list->setFocusPolicy(Qt::NoFocus);
    m_list->setRootIsDecorated(false);
    m_list->setHeaderHidden(true);
    m_list->header()->setStretchLastSection(false);  // the widths are the entries', set when the list opens
    m_list->setUniformRowHeights(true);
    m_list->setItemsExpandable(false);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setFrameShape(QFrame::NoFrame);
    m_list->setMinimumSize(1, 1);  // as high as its rows, not as a tree view would like to be
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_list);
    connect(m_list, &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        SetCurrentRow(index.row());
        TakeCurrent();
    });
    connect(view, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (IsOpen()) Follow();
        else if (m_dismissedLine >= 0) ForgetDismissal();
    });
    const auto place = [this] {
        if (IsOpen()) Place();
    };
    connect(view->verticalScrollBar(), &QScrollBar::valueChanged, this, place);
    connect(view->horizontalScrollBar(), &QScrollBar::valueChanged, this, place);
    // The list is a window of its own: moving the main window or the script's window must take it
    // along, and it must not float over other programs once the editor is left.
    for (QWidget* w = view; w; w = w->parentWidget()) w->installEventFilter(this);
}

bool CCompletionPopup::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
            if (IsOpen()) Place();
            break;
        case QEvent::Hide:
        case QEvent::WindowDeactivate:
            Close();
            break;
        default:
            break;
    }
    return QFrame::eventFilter(watched, event);
}

bool CCompletionPopup::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
            QApplication::sendEvent(m_view, event);
            return true;
        default: return QFrame::event(event);
    }
}

bool CCompletionPopup::Open(bool asked) {
    const QTextCursor caret = m_view->textCursor();
    if (m_view->isReadOnly() || caret.hasSelection()) return false;
    const QTextBlock block = caret.block();
    const QString text = block.text();
    const int column = caret.positionInBlock();
    const CompletionPlace place = CompletionPlaceAt(LineText(text), column, theApp.m_catalogue, asked);
    if (place.kind == CompletionPlace::Kind::None) return false;
    const QString typed = text.mid(place.typedFrom, column - place.typedFrom);
    if (!asked) {
        // After three letters of a name; a number is no name, and Esc keeps the list shut in this one.
        if (typed.size() < kMinTyped || typed.front().isDigit()) return false;
        if (block.blockNumber() == m_dismissedLine && place.typedFrom == m_dismissedFrom) return false;
    }
    const Catalogue& catalogue = theApp.m_catalogue;
    m_model->Set(nullptr, {});  // the entries it shows are about to be replaced
    if (place.kind == CompletionPlace::Kind::Code) {
        if (!m_codeItemsMade || m_codeGeneration != catalogue.Generation()) {
            m_codeItems = CompletionItems(place, catalogue, {});
            m_codeGeneration = catalogue.Generation();
            m_codeItemsMade = true;
        }
        m_items = &m_codeItems;
    } else {
        std::vector<LabelIndex::Entry> scanned;
        m_otherItems = CompletionItems(place, catalogue,
                                       place.kind == CompletionPlace::Kind::Labels ? ScriptLabels(*m_view, scanned)
                                                                                   : scanned);
        m_items = &m_otherItems;
    }
    m_place = place;
    m_line = block.blockNumber();
    m_asked = asked;
    m_rowHeight = 0;  // measured again: the font may have changed
    // The width follows the longest entry of the place, so that typing does not make it jump.
    size_t name = 1, detail = 0;
    for (const CompletionItem& item : *m_items) {
        name = std::max(name, item.text.size());
        detail = std::max(detail, std::min<size_t>(item.detail.size(), kLongestDetail));
    }
    const QFontMetrics metrics(m_view->font());
    const int letter = metrics.horizontalAdvance(QLatin1Char('M'));
    if (m_list->font() != m_view->font()) m_list->setFont(m_view->font());
    m_list->setColumnWidth(0, static_cast<int>(name + 2) * letter);
    m_list->setColumnWidth(1, static_cast<int>(detail + 1) * letter);
    if (!ShowFiltered(typed)) {
        Close();
        return false;
    }
    Place();  // opened again where it stood, it may belong to another name now
    m_dismissedLine = m_dismissedFrom = -1;
    return true;
}

bool CCompletionPopup::ShowFiltered(const QString& typed) {
    std::vector<int> shown = FilterCompletions(*m_items, LineText(typed));
    if (shown.empty()) return false;
    // Opened by typing, a name written out in full needs no list.
    if (!m_asked && shown.size() == 1 && QString::fromStdString((*m_items)[static_cast<size_t>(shown[0])].text)
                                                 .compare(typed, Qt::CaseInsensitive) == 0)
        return false;
    const int rows = std::min<int>(kRowsShown, static_cast<int>(shown.size()));
    const bool scrolls = static_cast<int>(shown.size()) > kRowsShown;
    m_model->Set(m_items, std::move(shown));
    SetCurrentRow(0);
    if (m_rowHeight <= 0) m_rowHeight = std::max(1, m_list->sizeHintForRow(0));
    const int border = 2 * (frameWidth() + 1);  // the frame's line and the layout's margin, both sides
    const QSize size(m_list->columnWidth(0) + m_list->columnWidth(1) +
                         (scrolls ? m_list->verticalScrollBar()->sizeHint().width() : 0) + border,
                     rows * m_rowHeight + border);
    // While typing filters an open list only its rows change; the window moves only when its size does.
    if (size != this->size() || !isVisible()) {
        resize(size);
        Place();
    }
    if (!isVisible()) {
        show();
        raise();
    }
    return true;
}

void CCompletionPopup::Close() {
    if (isVisible()) hide();
}

void CCompletionPopup::Place() {
    const QTextBlock block = m_view->document()->findBlockByNumber(m_line);
    if (!block.isValid()) return;
    QTextCursor at(block);
    at.setPosition(block.position() + std::min(m_place.from, block.length() - 1));
    const QRect caret = m_view->cursorRect(at);
    QPoint spot = m_view->viewport()->mapToGlobal(caret.bottomLeft() + QPoint(0, 2));
    if (const QScreen* screen = m_view->screen()) {
        const QRect room = screen->availableGeometry();
        if (spot.y() + height() > room.bottom())  // no room below the line: above it
            spot.setY(m_view->viewport()->mapToGlobal(caret.topLeft()).y() - height() - 2);
        spot.setX(std::clamp(spot.x(), room.left(), std::max(room.left(), room.right() - width())));
    }
    move(spot);
}

void CCompletionPopup::Follow() {
    const QTextCursor caret = m_view->textCursor();
    const QTextBlock block = caret.block();
    if (caret.hasSelection() || block.blockNumber() != m_line) {
        Close();
        return;
    }
    const QString text = block.text();
    const int column = caret.positionInBlock();
    const CompletionPlace place = CompletionPlaceAt(LineText(text), column, theApp.m_catalogue, m_asked);
    if (place.kind != m_place.kind || place.typedFrom != m_place.typedFrom || place.lists != m_place.lists ||
        column < place.typedFrom) {
        Close();
        return;
    }
    m_place = place;
    if (!ShowFiltered(text.mid(place.typedFrom, column - place.typedFrom))) Close();
}

void CCompletionPopup::ForgetDismissal() {
    // The caret left the name Esc closed the list in, or the name is gone.
    const QTextCursor caret = m_view->textCursor();
    if (caret.blockNumber() != m_dismissedLine || caret.positionInBlock() <= m_dismissedFrom)
        m_dismissedLine = m_dismissedFrom = -1;
}

bool CCompletionPopup::WantsKey(const QKeyEvent* event) const {
    return IsOpen() && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier;
}

bool CCompletionPopup::HandleKey(QKeyEvent* event) {
    if (!IsOpen() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    const int rows = RowCount();
    switch (event->key()) {
        case Qt::Key_Escape:
            // Typing on in this name leaves the list shut; a list asked for on no name keeps nothing.
            if (m_view->textCursor().positionInBlock() > m_place.typedFrom) {
                m_dismissedLine = m_line;
                m_dismissedFrom = m_place.typedFrom;
            }
            Close();
            return true;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Tab:
            if (event->modifiers() & Qt::ShiftModifier) return false;
            TakeCurrent();
            return true;
        case Qt::Key_Up: SetCurrentRow(std::max(0, CurrentRow() - 1)); return true;
        case Qt::Key_Down: SetCurrentRow(std::min(rows - 1, CurrentRow() + 1)); return true;
        case Qt::Key_PageUp: SetCurrentRow(std::max(0, CurrentRow() - (kRowsShown - 1))); return true;
        case Qt::Key_PageDown: SetCurrentRow(std::min(rows - 1, CurrentRow() + (kRowsShown - 1))); return true;
        default: return false;
    }
}

void CCompletionPopup::AfterTyping(const QKeyEvent* event) {
    if (IsOpen() || event->text().size() != 1) return;
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return;
    const char16_t typed = event->text().front().unicode();
    if (!IsScriptNameChar(typed)) return;
    CMainFrame* main = theApp.GetMainFrame();
    if (!main || main->m_autoComplete != 1) return;
    Open(false);
}

void CCompletionPopup::TakeCurrent() {
    const int row = CurrentRow();
    if (!IsOpen() || row < 0) return;
    const QString insert = QString::fromStdString(m_model->Item(row).insert);
    const QTextCursor caret = m_view->textCursor();
    const QTextBlock block = caret.block();
    // The name may have grown since the list was filtered: replace what stands there now.
    const CompletionPlace place =
        CompletionPlaceAt(LineText(block.text()), caret.positionInBlock(), theApp.m_catalogue, m_asked);
    Close();
    if (place.kind == CompletionPlace::Kind::None) return;
    QTextCursor edit(block);
    edit.setPosition(block.position() + place.from);
    edit.setPosition(block.position() + place.to, QTextCursor::KeepAnchor);
    edit.insertText(insert);  // one undoable edit; the view colours the line as it changes
    m_view->setTextCursor(edit);
}

int CCompletionPopup::RowCount() const { return m_model->rowCount(); }

QString CCompletionPopup::RowText(int row) const {
    return row >= 0 && row < RowCount() ? QString::fromStdString(m_model->Item(row).text) : QString();
}

int CCompletionPopup::CurrentRow() const { return m_list->currentIndex().isValid() ? m_list->currentIndex().row() : -1; }

void CCompletionPopup::SetCurrentRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    const QModelIndex index = m_model->index(row, 0);
    m_list->setCurrentIndex(index);
    m_list->scrollTo(index);
}

}  // namespace qm
