#include "ui/options/propsheet.h"

#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "ui/options/proppage1.h"
#include "ui/options/proppage2.h"
#include "ui/options/proppage3.h"
#include "ui/options/proppage4.h"

namespace qm {

namespace {
constexpr int kButtonGap = 5;  // from the sheet's centre to each button
}

CPropSheet::CPropSheet(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Options"));
    m_tabs = new QTabWidget(this);
    m_page1 = new CPropPage1(m_tabs);
    m_page2 = new CPropPage2(m_tabs);
    m_page4 = new CPropPage4(m_tabs);
    m_page3 = new CPropPage3(m_tabs);
    m_tabs->addTab(m_page1, QStringLiteral("General"));
    m_tabs->addTab(m_page2, QStringLiteral("Scripts"));
    m_tabs->addTab(m_page4, QStringLiteral("File Types"));
    m_tabs->addTab(m_page3, QStringLiteral("Misc."));

    m_okButton = new QPushButton(QStringLiteral("Accept"), this);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_okButton->setDefault(true);
    const int width = std::max(m_okButton->sizeHint().width(), m_cancelButton->sizeHint().width()) + 10;
    m_okButton->setFixedWidth(width);
    m_cancelButton->setFixedWidth(width);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    // The buttons are placed by hand below the pages; this keeps their row free.
    layout->addSpacing(m_okButton->sizeHint().height() + 4);

    connect(m_okButton, &QPushButton::clicked, this, &CPropSheet::OnAccept);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

void CPropSheet::OnInitSheet() {
    m_page1->OnInitPage();
    m_page2->ShowValues();
    m_page3->ShowValues();
    m_page4->ShowValues();
}

void CPropSheet::OnAccept() {
    m_page1->ReadValues();
    m_page2->ReadValues();
    m_page3->ReadValues();
    m_page4->ReadValues();
    accept();
}

void CPropSheet::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    PlaceButtons();
}

void CPropSheet::PlaceButtons() {
    const int centre = width() / 2;
    const int y = height() - layout()->contentsMargins().bottom() - m_okButton->sizeHint().height();
    m_okButton->move(centre - kButtonGap - m_okButton->width(), y);
    m_cancelButton->move(centre + kButtonGap, y);
}

}  // namespace qm
