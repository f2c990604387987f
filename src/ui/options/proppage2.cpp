#include "ui/options/proppage2.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/options/settingstable.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/views/editview.h"

namespace qm {

namespace {
constexpr const char* kColourSettings[CPropPage2::kColours] = {"TextColor", "RemColor", "ComColor", "WeapColor",
                                                               "SysColor",  "VarColor", "BKColor"};
}  // namespace

CPropPage2::CPropPage2(QWidget* parent) : QWidget(parent) {
    auto* page = new QVBoxLayout(this);
    m_formatBox = new QCheckBox(QStringLiteral("&Use color formatting for scripts and descriptions"), this);
    m_addHeaderBox = new QCheckBox(QStringLiteral("&Auto add headers to new scripts and descriptions"), this);
    page->addWidget(m_formatBox);
    page->addWidget(m_addHeaderBox);

    auto* group = new QGroupBox(QStringLiteral("Script Colors"), this);
    auto* grid = new QGridLayout(group);
    const char* captions[kColours] = {"&Text Color", "&Remarks",         "Varnholt &Commands", "Varnholt &Items",
                                      "&Programming", "&Local Variables", "&Background"};
    const char* samples[kColours] = {"Some normal text.", "; Remarks and comments", "AddWeapon", "\"NVGoggles\"",
                                     "if then else while do...", "_variable", ""};
    QFont sampleFont(QStringLiteral("Courier New"));
    sampleFont.setPointSize(10);
    for (int i = 0; i < kColours; ++i) {
        m_colourRadios[i] = new QRadioButton(QString::fromLatin1(captions[i]), group);
        m_samples[i] = new QLabel(QString::fromLatin1(samples[i]), group);
        m_samples[i]->setFont(sampleFont);
        m_samples[i]->setMinimumWidth(220);
        grid->addWidget(m_colourRadios[i], i, 0);
        grid->addWidget(m_samples[i], i, 1);
        connect(m_colourRadios[i], &QRadioButton::clicked, this, [this, i] { m_selectedColour = i; });
    }
    // The background sample is a blank line painted in the background colour.
    m_samples[kColours - 1]->setAutoFillBackground(true);
    m_samples[kColours - 1]->setFrameShape(QFrame::Box);
    grid->setColumnStretch(1, 1);
    m_setColourButton = new QPushButton(QStringLiteral("&Set Color"), group);
    grid->addWidget(m_setColourButton, kColours, 0);
    page->addWidget(group);

    page->addWidget(new QLabel(QStringLiteral("NOTE: Changes only take effect on future documents."), this));
    page->addStretch();
    m_defaultsButton = new QPushButton(QStringLiteral("Restore &Defaults"), this);
    page->addWidget(m_defaultsButton, 0, Qt::AlignRight);

    for (int i = 0; i < kColours; ++i) m_colours[i] = DefaultInt(*FindSetting(kColourSettings[i]), {});
    connect(m_setColourButton, &QPushButton::clicked, this, &CPropPage2::OnSetColor);
    connect(m_defaultsButton, &QPushButton::clicked, this, &CPropPage2::OnRestoreDefaults);
}

void CPropPage2::ShowValues() {
    m_formatBox->setChecked(m_format == 1);
    m_addHeaderBox->setChecked(m_addHeader == 1);
    if (m_selectedColour >= 0 && m_selectedColour < kColours) m_colourRadios[m_selectedColour]->setChecked(true);
    ShowSamples();
}

void CPropPage2::ReadValues() {
    m_format = m_formatBox->isChecked() ? 1 : 0;
    m_addHeader = m_addHeaderBox->isChecked() ? 1 : 0;
    for (int i = 0; i < kColours; ++i)
        if (m_colourRadios[i]->isChecked()) m_selectedColour = i;
}

void CPropPage2::ShowSamples() {
    const QColor text = FromColorRef(m_colours[0]);
    for (int i = 0; i < kColours; ++i) {
        QPalette pal = m_samples[i]->palette();
        const bool background = i == kColours - 1;
        pal.setColor(QPalette::WindowText, background ? text : FromColorRef(m_colours[i]));
        pal.setColor(QPalette::Window, background ? FromColorRef(m_colours[i]) : palette().color(QPalette::Window));
        m_samples[i]->setPalette(pal);
        m_samples[i]->update();
    }
}

void CPropPage2::OnSetColor() {
    ReadValues();
    const int i = std::clamp(m_selectedColour, 0, kColours - 1);
    if (auto chosen = theApp.GetPrompter().ChooseColour(static_cast<unsigned>(m_colours[i])))
        m_colours[i] = static_cast<int>(*chosen & 0xFFFFFF);
    ShowSamples();
}

void CPropPage2::OnRestoreDefaults() {
    m_format = DefaultInt(*FindSetting("Format"), {});
    m_addHeader = DefaultInt(*FindSetting("AddHeader"), {});
    for (int i = 0; i < kColours; ++i) m_colours[i] = DefaultInt(*FindSetting(kColourSettings[i]), {});
    m_selectedColour = 0;
    ShowValues();
}

}  // namespace qm
