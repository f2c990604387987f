#pragma once
#include <QAbstractSpinBox>
#include <cstdint>
#include <optional>

namespace qm {

// A count field with up/down arrows that takes digits only and may be typed into. It holds an
// unsigned 32-bit number; the arrows only report their steps, the owner decides the new value.
class CCountBox : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CCountBox(QWidget* parent = nullptr);

    // The typed number; nullopt when the field is empty or the number does not fit.
    std::optional<uint32_t> Value() const;
    void SetValue(uint32_t value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;

signals:
    void Stepped(int steps);
    void TextEdited(const QString& text);

protected:
    StepEnabled stepEnabled() const override;
};

}  // namespace qm
