#pragma once
#include <QToolBar>

namespace qm {

// The main toolbar: fills its border with the button-face colour before the frame draws it.
class CNewToolBar : public QToolBar {
    Q_OBJECT
public:
    explicit CNewToolBar(const QString& title, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm
