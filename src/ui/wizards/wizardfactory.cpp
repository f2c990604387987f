#include "ui/wizards/wizardfactory.h"

#include "ui/wizards/wizardplaceholderdlg.h"

namespace qm {

std::unique_ptr<CWizardDlg> CreateWizardDialog(WizardKind kind, QWidget* parent) {
    const WizardSwitch* sw = FindWizardSwitch(kind);
    if (!sw) return nullptr;
    // Each wizard replaces its placeholder here when it is built.
    return std::make_unique<CWizardPlaceholderDlg>(QString::fromUtf8(sw->caption), parent);
}

}  // namespace qm
