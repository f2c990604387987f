#pragma once
#include <QDialog>

class QLabel;

namespace qm {

// The About box: program name, version, what it edits, and the logo at the top right.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    QString VersionText() const;
    QString DataFolderText() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_version = nullptr;
    QLabel* m_dataFolder = nullptr;
    QWidget* m_picturePlaceholder = nullptr;  // hidden; the logo is drawn into its rectangle
};

}  // namespace qm
