#include "core/wizards/wizardcommon.h"

namespace qm {

bool IsValidWizardName(std::string_view name) {
    return !name.empty() && name.find_first_of(kForbiddenNameChars) == std::string_view::npos;
}

std::string DefaultWizardName(std::string_view prefix, int randomNumber) {
    const int n = ((randomNumber % 1000) + 1000) % 1000;
    return std::string(prefix) + std::to_string(n);
}

std::string ScriptSeparator() { return "; " + std::string(71, '*'); }

}  // namespace qm
