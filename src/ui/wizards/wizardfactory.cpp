#include "ui/wizards/wizardfactory.h"

#include "ui/wizards/briefingdlg.h"
#include "ui/wizards/cratedlg.h"
#include "ui/wizards/descriptiondlg.h"
#include "ui/wizards/overviewdlg.h"
#include "ui/wizards/unitdlg.h"
#include "ui/wizards/wizardplaceholderdlg.h"

namespace qm {

std::unique_ptr<CWizardDlg> CreateWizardDialog(WizardKind kind, QWidget* parent) {
    const WizardSwitch* sw = FindWizardSwitch(kind);
    if (!sw) return nullptr;
    switch (kind) {
        case WizardKind::Briefing: return std::make_unique<CBriefingDlg>(parent);
        case WizardKind::Unit: return std::make_unique<CUnitDlg>(parent);
        case WizardKind::Crate: return std::make_unique<CCrateDlg>(parent);
        case WizardKind::Description: return std::make_unique<CDescriptionDlg>(parent);
        case WizardKind::Overview: return std::make_unique<COverviewDlg>(parent);
        default: break;
    }
    // Each wizard replaces its placeholder here when it is built.
    return std::make_unique<CWizardPlaceholderDlg>(QString::fromUtf8(sw->caption), parent);
}

}  // namespace qm
