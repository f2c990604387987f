#include "ui/wizards/countbox.h"

#include <QLineEdit>

#include "core/wizards/cratewizard.h"

namespace qm {

CCountBox::CCountBox(QWidget* parent) : QAbstractSpinBox(parent) {
    lineEdit()->setMaxLength(10);  // "4294967295"; more digits can only be too large
    setAlignment(Qt::AlignRight);
    connect(lineEdit(), &QLineEdit::textEdited, this, &CCountBox::TextEdited);
}

std::optional<uint32_t> CCountBox::Value() const { return ParseCrateCount(text().toStdString()); }

void CCountBox::SetValue(uint32_t value) { lineEdit()->setText(QString::number(value)); }

void CCountBox::stepBy(int steps) { emit Stepped(steps); }

QValidator::State CCountBox::validate(QString& input, int&) const {
    for (QChar c : input)
        if (c < '0' || c > '9') return QValidator::Invalid;
    // Empty or too large may stand while typing; reading the value refuses it.
    return ParseCrateCount(input.toStdString()) ? QValidator::Acceptable : QValidator::Intermediate;
}

QAbstractSpinBox::StepEnabled CCountBox::stepEnabled() const { return StepUpEnabled | StepDownEnabled; }

}  // namespace qm
