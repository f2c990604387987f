#pragma once
#include <QDialog>

class QLabel;
class QSpinBox;

namespace qm {

// "Go To Line": asks for a line of the text, 1 to its last line, starting at the caret's.
class CGoToLineDlg : public QDialog {
    Q_OBJECT
public:
    CGoToLineDlg(int lineCount, int currentLine, QWidget* parent = nullptr);

    // The line asked for, from 1.
    int Line() const;

    QLabel* m_prompt = nullptr;
    QSpinBox* m_line = nullptr;
};

}  // namespace qm
