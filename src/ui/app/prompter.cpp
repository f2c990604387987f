#include "ui/app/prompter.h"

namespace qm {

void TellUnmappable(Prompter& prompter, size_t count) {
    if (count == 0) return;
    prompter.MessageBox(QStringLiteral("%1 character(s) have no equivalent in the file's character set (Windows-1252) "
                                       "and were saved as \"?\".")
                            .arg(count),
                        {}, MbButtons::Ok, MbIcon::Warning);
}

}  // namespace qm
