#pragma once
#include <memory>

#include "core/app/commandline.h"
#include "ui/wizards/wizarddlg.h"

namespace qm {

// The wizard dialog for a kind, hidden and modeless until shown.
std::unique_ptr<CWizardDlg> CreateWizardDialog(WizardKind kind, QWidget* parent);

}  // namespace qm
