#include "ui/views/gotolinedlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace qm {

CGoToLineDlg::CGoToLineDlg(int lineCount, int currentLine, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Go To Line"));
    const int last = std::max(1, lineCount);
    auto* layout = new QVBoxLayout(this);
    m_prompt = new QLabel(QStringLiteral("&Line number (1 - %1):").arg(last), this);
    m_line = new QSpinBox(this);
    m_line->setRange(1, last);
    m_line->setValue(std::clamp(currentLine, 1, last));
    m_line->setAccelerated(true);
    m_prompt->setBuddy(m_line);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(m_prompt);
    layout->addWidget(m_line);
    layout->addWidget(buttons);
    setMinimumWidth(260);
    m_line->selectAll();
}

int CGoToLineDlg::Line() const { return m_line->value(); }

}  // namespace qm
