#include "ui/options/proppage1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpinBox>
#include <QVBoxLayout>

#include "core/options/optionsrules.h"
#include "core/options/settingstable.h"
#include "ui/options/fontcombo.h"

namespace qm {

namespace {
int Default(const char* name) { return DefaultInt(*FindSetting(name), {}); }
void Check(QCheckBox* box, int value) { box->setChecked(value == 1); }
int Checked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
}  // namespace

CPropPage1::CPropPage1(QWidget* parent) : QWidget(parent) {
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("Doucuments Font"), this));
    m_fontList = new CFontCombo(this, 15);
    left->addWidget(m_fontList);
    auto* sizeRow = new QHBoxLayout;
    auto* fixedNote = new QLabel(QStringLiteral("* fixed-width fonts"), this);
    sizeRow->addWidget(fixedNote);
    sizeRow->addStretch();
    sizeRow->addWidget(new QLabel(QStringLiteral("Font Size"), this));
    m_sizeList = new QComboBox(this);
    for (int s = kSmallestFontSize; s <= kLargestFontSize; ++s) m_sizeList->addItem(QString::number(s));
    sizeRow->addWidget(m_sizeList);
    m_boldBox = new QCheckBox(QStringLiteral("&Bold"), this);
    sizeRow->addWidget(m_boldBox);
    left->addLayout(sizeRow);
    m_sampleFrame = new QFrame(this);
    m_sampleFrame->setFrameShape(QFrame::Box);
    m_sampleFrame->setFrameShadow(QFrame::Sunken);
    m_sampleFrame->setMinimumHeight(48);
    m_sampleFrame->installEventFilter(this);
    left->addWidget(m_sampleFrame);
    auto* tabRow = new QHBoxLayout;
    auto* tabLabel = new QLabel(QStringLiteral("Tab &width"), this);
    m_tabWidthBox = new QSpinBox(this);
    const SettingEntry& tab = *FindSetting("TabWidth");
    m_tabWidthBox->setRange(tab.minValue, tab.maxValue);
    m_tabWidthBox->setSuffix(QStringLiteral(" columns"));
    tabLabel->setBuddy(m_tabWidthBox);
    tabRow->addWidget(tabLabel);
    tabRow->addWidget(m_tabWidthBox);
    tabRow->addStretch();
    left->addLayout(tabRow);
    m_expansionBox = new QCheckBox(QStringLiteral("&Use Varnholt RESISTANCE"), this);
    m_showSyntaxBox = new QCheckBox(QStringLiteral("&Show Syntax in Command Bar"), this);
    m_appMaxBox = new QCheckBox(QStringLiteral("Start Application &Maximized"), this);
    m_docMaxBox = new QCheckBox(QStringLiteral("&Open Documents Maximized"), this);
    m_autoCompleteBox = new QCheckBox(QStringLiteral("Auto &complete names while typing"), this);
    for (QCheckBox* b : {m_expansionBox, m_showSyntaxBox, m_appMaxBox, m_docMaxBox, m_autoCompleteBox})
        left->addWidget(b);
    left->addStretch();

    auto* right = new QVBoxLayout;
    auto* initial = new QGroupBox(QStringLiteral("Initial File to Open"), this);
    auto* initialLayout = new QVBoxLayout(initial);
    const char* radios[] = {"&No File", "Ne&w Script (*.sqs)", "Most &Recent File"};
    for (int i = 0; i < 3; ++i) {
        m_newFileRadios[i] = new QRadioButton(QString::fromLatin1(radios[i]), initial);
        initialLayout->addWidget(m_newFileRadios[i]);
    }
    m_reopenLastBox = new QCheckBox(QStringLiteral("Reopen &documents from last time"), initial);
    initialLayout->addWidget(m_reopenLastBox);
    right->addWidget(initial);
    auto* menus = new QGroupBox(QStringLiteral("Menu Options"), this);
    auto* menusLayout = new QVBoxLayout(menus);
    m_customMenusBox = new QCheckBox(QStringLiteral("&Allow Custom Menus"), menus);
    m_showUsersBox = new QCheckBox(QStringLiteral("S&how \"Open/Save In <PLAYER>'s Missions...\""), menus);
    m_trimMRUBox = new QCheckBox(QStringLiteral("&Trim Most Recent Used (MRU) File Names"), menus);
    for (QCheckBox* b : {m_customMenusBox, m_showUsersBox, m_trimMRUBox}) menusLayout->addWidget(b);
    auto* mruRow = new QHBoxLayout;
    m_mruList = new QComboBox(menus);
    for (int i = 0; i <= 16; ++i) m_mruList->addItem(QString::number(i));
    mruRow->addWidget(m_mruList);
    mruRow->addWidget(new QLabel(QStringLiteral("Number of MRUs in Menu"), menus));
    mruRow->addStretch();
    menusLayout->addLayout(mruRow);
    right->addWidget(menus);
    auto* note = new QLabel(QStringLiteral("Application may have to restart for some changes to take effect."), this);
    note->setWordWrap(true);
    right->addWidget(note);
    right->addStretch();
    m_defaultsButton = new QPushButton(QStringLiteral("Restore &Defaults"), this);
    right->addWidget(m_defaultsButton, 0, Qt::AlignRight);

    auto* page = new QHBoxLayout(this);
    page->addLayout(left, 1);
    page->addSpacing(8);
    page->addLayout(right, 1);

    connect(m_fontList, &QComboBox::currentIndexChanged, this, [this] {
        if (m_fontList->currentIndex() >= 0) m_font = m_fontList->GetSelectedFontName();
        update();
        m_sampleFrame->update();
    });
    connect(m_sizeList, &QComboBox::currentIndexChanged, this, [this](int i) {
        m_fontSize = FontSizeOfListIndex(i);
        m_sampleFrame->update();
    });
    connect(m_boldBox, &QCheckBox::clicked, this, [this] {
        m_bold = Checked(m_boldBox);
        m_sampleFrame->update();
    });
    connect(m_defaultsButton, &QPushButton::clicked, this, &CPropPage1::OnRestoreDefaults);
}

void CPropPage1::OnInitPage() {
    const QString font = m_font;
    const int size = m_fontSize;
    {
        const QSignalBlocker block(m_fontList);
        m_fontList->FillFontList();
    }
    m_font = font;
    m_fontSize = size;
    SelectFontAndSize();
    if (!m_menusAtStartUp)
        for (QWidget* w : std::initializer_list<QWidget*>{m_showUsersBox, m_trimMRUBox, m_mruList})
            w->setEnabled(false);
    ShowValues();
}

void CPropPage1::SelectFontAndSize() {
    // Selecting shows the values; the page's own values stay as they are.
    const QString font = m_font;
    const int size = m_fontSize;
    m_fontList->SelectFontName(font);
    m_sizeList->setCurrentIndex(FontSizeListIndex(size));
    m_font = font;
    m_fontSize = size;
}

void CPropPage1::ShowValues() {
    Check(m_boldBox, m_bold);
    Check(m_expansionBox, m_expansion);
    Check(m_showSyntaxBox, m_showSyntax);
    Check(m_appMaxBox, m_appMax);
    Check(m_docMaxBox, m_docMax);
    for (int i = 0; i < 3; ++i) m_newFileRadios[i]->setChecked(m_newFile == i);
    Check(m_customMenusBox, m_customMenus);
    Check(m_showUsersBox, m_showUsers);
    Check(m_trimMRUBox, m_trimMRU);
    m_mruList->setCurrentIndex(m_mrus);
    m_tabWidthBox->setValue(m_tabWidth);
    Check(m_reopenLastBox, m_reopenLast);
    Check(m_autoCompleteBox, m_autoComplete);
    m_sampleFrame->update();
}

void CPropPage1::ReadValues() {
    m_bold = Checked(m_boldBox);
    m_expansion = Checked(m_expansionBox);
    m_showSyntax = Checked(m_showSyntaxBox);
    m_appMax = Checked(m_appMaxBox);
    m_docMax = Checked(m_docMaxBox);
    for (int i = 0; i < 3; ++i)
        if (m_newFileRadios[i]->isChecked()) m_newFile = i;
    m_customMenus = Checked(m_customMenusBox);
    m_showUsers = Checked(m_showUsersBox);
    m_trimMRU = Checked(m_trimMRUBox);
    m_mrus = std::max(0, m_mruList->currentIndex());
    m_tabWidth = m_tabWidthBox->value();
    m_reopenLast = Checked(m_reopenLastBox);
    m_autoComplete = Checked(m_autoCompleteBox);
}

void CPropPage1::OnRestoreDefaults() {
    m_newFile = Default("NewFile");
    m_font = QString::fromLatin1(FindSetting("Font")->defaultText);
    m_fontSize = Default("FontSize");
    m_bold = Default("BoldFonts");
    m_expansion = Default("Resistance");
    m_showSyntax = Default("ShowSyntax");
    m_showUsers = Default("ShowUsers");
    m_appMax = Default("AppMax");
    m_docMax = Default("DocMax");
    m_trimMRU = Default("TrimMRU");
    m_customMenus = Default("CustomMenus");
    m_mrus = Default("MRUs");
    m_tabWidth = Default("TabWidth");
    m_reopenLast = Default("ReopenLast");
    m_autoComplete = Default("AutoComplete");
    SelectFontAndSize();
    ShowValues();
    update();
}

bool CPropPage1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_sampleFrame && event->type() == QEvent::Paint) {
        PaintSample();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CPropPage1::PaintSample() {
    QPainter p(m_sampleFrame);
    const QRect r = m_sampleFrame->rect().adjusted(3, 1, -1, -1);  // the frame line stays
    p.fillRect(r, Qt::white);
    QFont f(m_font);
    const QScreen* screen = m_sampleFrame->screen();
    const int dpi = screen ? qRound(screen->logicalDotsPerInchY()) : 96;
    f.setPixelSize(FontPixelHeight(m_fontSize, dpi));
    f.setWeight(m_bold == 1 ? QFont::Bold : QFont::Normal);
    p.setFont(f);
    p.setPen(QColor(0x00, 0x80, 0x00));
    p.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, QStringLiteral("; Sample line of text"));
}

}  // namespace qm
