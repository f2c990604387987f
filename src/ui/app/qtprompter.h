#pragma once
#include "ui/app/prompter.h"

namespace qm {

// The real dialogs, parented to the active window.
class QtPrompter : public Prompter {
public:
    int MessageBox(const QString& text, const QString& caption, MbButtons buttons, MbIcon icon) override;
    std::optional<QString> GetOpenFileName(const FileDialogRequest& request) override;
    QStringList GetOpenFileNames(const FileDialogRequest& request) override;
    std::optional<QString> GetSaveFileName(const FileDialogRequest& request) override;
    std::optional<unsigned> ChooseColour(unsigned initial) override;
};

}  // namespace qm
