#pragma once
#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

class QTreeWidget;

namespace qm {

// "Recover Unsaved Work": the documents a process that ended without closing them left behind.
class CRecoveryDlg : public QDialog {
    Q_OBJECT
public:
    struct Row {
        QString name;  // the file, or "Untitled Script" and the like
        QString time;  // of the last change kept
        QString size;  // or why the copy cannot be read
    };
    enum Choice { Later, Recover, Discard };

    CRecoveryDlg(const std::vector<Row>& rows, QWidget* parent = nullptr);

    // Shows the dialog and gives the choice; closing it is Later.
    Choice Ask();
    QTreeWidget* List() const { return m_list; }

    // Tests answer here instead of the user (the dialog is built and filled all the same).
    static std::function<Choice(CRecoveryDlg&)> s_answer;

private:
    QTreeWidget* m_list;
    Choice m_choice = Later;
};

}  // namespace qm
