#include "ui/doc/diskchangebar.h"

#include <QApplication>
#include <QEvent>
#include <algorithm>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "ui/views/editview.h"
#include "ui/views/largetextview.h"

namespace qm {

CDiskChangeBar* CDiskChangeBar::Find(const QAbstractScrollArea* view) {
    return view ? view->findChild<CDiskChangeBar*>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

CDiskChangeBar* CDiskChangeBar::Of(QAbstractScrollArea* view) {
    if (CDiskChangeBar* bar = Find(view)) return bar;
    return new CDiskChangeBar(view);
}

CDiskChangeBar::CDiskChangeBar(QAbstractScrollArea* view) : QFrame(view), m_view(view) {
    setObjectName(QStringLiteral("DiskChangeBar"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    // A child of the editor, it would take the editor's font: it is a message, in the program's.
    setFont(QApplication::font());
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(0xFF, 0xF4, 0xC2));
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 3, 4, 3);
    m_text = new QLabel(this);
    m_text->setWordWrap(true);  // a narrow window shows the whole sentence on more lines
    m_reload = new QPushButton(QStringLiteral("Reload"), this);
    m_keepMine = new QPushButton(QStringLiteral("Keep Mine"), this);
    m_dismiss = new QPushButton(QStringLiteral("Dismiss"), this);
    for (QPushButton* b : {m_reload, m_keepMine, m_dismiss}) b->setFocusPolicy(Qt::TabFocus);
    row->addWidget(m_text, 1);
    row->addWidget(m_reload);
    row->addWidget(m_keepMine);
    row->addWidget(m_dismiss);
    connect(m_reload, &QPushButton::clicked, this, &CDiskChangeBar::ReloadClicked);
    connect(m_keepMine, &QPushButton::clicked, this, &CDiskChangeBar::KeepMineClicked);
    connect(m_dismiss, &QPushButton::clicked, this, &CDiskChangeBar::Dismiss);
    view->installEventFilter(this);
    hide();
}

QString CDiskChangeBar::Text() const { return m_text->text(); }

void CDiskChangeBar::ShowFor(Kind kind, const QString& fileName) {
    m_kind = kind;
    m_text->setText(kind == Kind::Changed ? QStringLiteral("%1 was changed on disk by another program.").arg(fileName)
                                          : QStringLiteral("%1 was deleted on disk.").arg(fileName));
    m_reload->setVisible(kind == Kind::Changed);
    m_keepMine->setVisible(kind == Kind::Changed);
    m_dismiss->setVisible(kind == Kind::Deleted);
    show();
    Place();
}

void CDiskChangeBar::Dismiss() {
    hide();
    SetStrip(0);
}

void CDiskChangeBar::SetStrip(int height) {
    if (auto* edit = qobject_cast<CEditView*>(m_view)) edit->SetTopStrip(height);
    else if (auto* large = qobject_cast<CLargeTextView*>(m_view)) large->SetTopStrip(height);
}

void CDiskChangeBar::Place() {
    if (isHidden()) return;
    const int frame = m_view->frameWidth();
    const int width = m_view->width() - 2 * frame;
    const int height = std::max(sizeHint().height(), hasHeightForWidth() ? heightForWidth(width) : 0);
    setGeometry(frame, frame, width, height);
    SetStrip(height);
    raise();
}

bool CDiskChangeBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view && event->type() == QEvent::Resize) Place();
    return QFrame::eventFilter(watched, event);
}

}  // namespace qm
