#pragma once
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qm {

// Options page "Scripts": colouring and headers, and the seven colours of new script and
// description views, each with a sample drawn in the page's colours.
class CPropPage2 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kColours = 7;  // text, remarks, commands, items, programming, local variables, background

    explicit CPropPage2(QWidget* parent = nullptr);

    void ShowValues();
    void ReadValues();
    void OnSetColor();
    void OnRestoreDefaults();

    int m_format = 1, m_addHeader = 1;
    std::array<int, kColours> m_colours{};  // 0x00BBGGRR
    int m_selectedColour = 0;

    QCheckBox *m_formatBox, *m_addHeaderBox;
    std::array<QRadioButton*, kColours> m_colourRadios{};
    std::array<QLabel*, kColours> m_samples{};
    QPushButton *m_setColourButton, *m_defaultsButton;

private:
    void ShowSamples();
};

}  // namespace qm
