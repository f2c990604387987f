#pragma once
#include <QDialog>

class QPushButton;
class QTabWidget;

namespace qm {

class CPropPage1;
class CPropPage2;
class CPropPage3;
class CPropPage4;

// The "Options" sheet: four pages, "Accept" and "Cancel" centred below them, no Apply.
class CPropSheet : public QDialog {
    Q_OBJECT
public:
    explicit CPropSheet(QWidget* parent = nullptr);

    // Shows the values the pages were given.
    void OnInitSheet();

    QTabWidget* m_tabs;
    CPropPage1* m_page1;
    CPropPage2* m_page2;
    CPropPage3* m_page3;
    CPropPage4* m_page4;
    QPushButton* m_okButton;
    QPushButton* m_cancelButton;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnAccept();
    void PlaceButtons();
};

}  // namespace qm
