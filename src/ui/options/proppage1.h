#pragma once
#include <QWidget>

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace qm {

class CFontCombo;

// Options page "General": the editor font with its sample and the tab width, the edition, the
// command bar's syntax pane, window maximising, the completion list, what opens at start-up and
// the menu options.
class CPropPage1 : public QWidget {
    Q_OBJECT
public:
    explicit CPropPage1(QWidget* parent = nullptr);

    // Fills the lists, selects the values and shows them (once the values are set).
    void OnInitPage();
    // The controls to the values, and back.
    void ShowValues();
    void ReadValues();
    void OnRestoreDefaults();

    QString m_font = QStringLiteral("Courier New");
    int m_fontSize = 10, m_bold = 0, m_expansion = 1, m_showSyntax = 1, m_appMax = 0, m_docMax = 0,
        m_newFile = 1, m_customMenus = 1, m_showUsers = 1, m_trimMRU = 1, m_mrus = 6, m_tabWidth = 8,
        m_reopenLast = 0, m_autoComplete = 1;
    // Custom menus were on at start-up; without them the menu-dependent controls are off.
    bool m_menusAtStartUp = true;

    CFontCombo* m_fontList;
    QComboBox* m_sizeList;
    QCheckBox* m_boldBox;
    QFrame* m_sampleFrame;
    QSpinBox* m_tabWidthBox;
    QCheckBox *m_expansionBox, *m_showSyntaxBox, *m_appMaxBox, *m_docMaxBox;
    QCheckBox* m_reopenLastBox;
    QCheckBox* m_autoCompleteBox;
    QRadioButton* m_newFileRadios[3];
    QCheckBox *m_customMenusBox, *m_showUsersBox, *m_trimMRUBox;
    QComboBox* m_mruList;
    QPushButton* m_defaultsButton;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SelectFontAndSize();
    void PaintSample();
};

}  // namespace qm
