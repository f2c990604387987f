#pragma once
#include <QDialog>

class QListWidget;
class QPushButton;

namespace qm {

// "Remove Quick Scripts": every file of the scripts folder in a sorted list; "&Remove" deletes
// the selected one (read-only ones included).
class CRemoveDlg : public QDialog {
    Q_OBJECT
public:
    CRemoveDlg(const QString& scriptsFolder, QWidget* parent = nullptr);

    QListWidget* List() const { return m_list; }
    QPushButton* RemoveButton() const { return m_remove; }
    QPushButton* CloseButton() const { return m_close; }

    void OnRemove();

private:
    QString m_folder;
    QListWidget* m_list;
    QPushButton* m_remove;
    QPushButton* m_close;
};

}  // namespace qm
