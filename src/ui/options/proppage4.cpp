#include "ui/options/proppage4.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

CPropPage4::CPropPage4(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral("Associate these file types with this application"), this);
    auto* grid = new QGridLayout(group);
    const char* boxes[kTypes] = {"(*.sqs) &Script Files",       "(*.ext) D&escription Files",
                                 "(*.sqf) &Function Files",     "(*.csv) S&tring Table Files",
                                 "(*.html) &Briefing Files",    "(*.txt) Te&xt Files"};
    const char* notes[kTypes] = {"(recommended)", "(common)", "", "", "(not recommended)", "(not recommended)"};
    for (int i = 0; i < kTypes; ++i) {
        m_typeBoxes[i] = new QCheckBox(QString::fromLatin1(boxes[i]), group);
        grid->addWidget(m_typeBoxes[i], i, 0);
        if (*notes[i]) grid->addWidget(new QLabel(QString::fromLatin1(notes[i]), group), i, 1);
    }
    grid->setColumnStretch(2, 1);
    page->addWidget(group);
    page->addWidget(new QLabel(QStringLiteral("Check = Associate the file type with this application\n"
                                              "Uncheck = Restore the file type to back its original condition"),
                               this));
    page->addWidget(new QLabel(QStringLiteral("NOTE: You may have to reset your computer for some\n"
                                              "changes to take effect."),
                               this));
    page->addSpacing(6);
    page->addWidget(new QLabel(QStringLiteral("What does file association mean?\n"
                                              "Basically, it will allow you to double click a script on your\n"
                                              "desktop and open it with this application. Also displays icons "
                                              "for associated types."),
                               this));
    page->addStretch();
    m_defaultsButton = new QPushButton(QStringLiteral("Restore &Defaults"), this);
    page->addWidget(m_defaultsButton, 0, Qt::AlignRight);
    connect(m_defaultsButton, &QPushButton::clicked, this, &CPropPage4::OnRestoreDefaults);
}

void CPropPage4::ShowValues() {
    for (int i = 0; i < kTypes; ++i) m_typeBoxes[i]->setChecked(m_types[i] == 1);
}

void CPropPage4::ReadValues() {
    for (int i = 0; i < kTypes; ++i) m_types[i] = m_typeBoxes[i]->isChecked() ? 1 : 0;
}

void CPropPage4::OnRestoreDefaults() {
    m_types = {1, 1, 0, 0, 0, 0};
    ShowValues();
}

}  // namespace qm
