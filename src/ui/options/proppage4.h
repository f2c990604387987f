#pragma once
#include <QWidget>
#include <array>

class QCheckBox;
class QPushButton;

namespace qm {

// Options page "File Types": which of the six extensions the program owns.
class CPropPage4 : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTypes = 6;  // ".sqs", ".ext", ".sqf", ".csv", ".html", ".txt"

    explicit CPropPage4(QWidget* parent = nullptr);

    void ShowValues();
    void ReadValues();
    void OnRestoreDefaults();

    std::array<int, kTypes> m_types{};
    std::array<QCheckBox*, kTypes> m_typeBoxes{};
    QPushButton* m_defaultsButton;
};

}  // namespace qm
