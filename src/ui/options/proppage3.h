#pragma once
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace qm {

// Options page "Misc.": how the game is started and the program's folders.
class CPropPage3 : public QWidget {
    Q_OBJECT
public:
    explicit CPropPage3(QWidget* parent = nullptr);

    void ShowValues();
    void ReadValues();
    void OnRestoreDefaults();

    QString m_snippetDir, m_backupDir, m_comRefDir;
    int m_nosplash = 1, m_window = 0;

    QCheckBox *m_nosplashBox, *m_windowBox;
    QLineEdit *m_snippetEdit, *m_backupEdit, *m_comRefEdit;
    QPushButton* m_defaultsButton;
};

}  // namespace qm
