#pragma once
#include <deque>
#include <vector>

#include "ui/app/prompter.h"

namespace qm {

// Answers dialogs from queues and records every message, so tests can check texts and captions.
class ScriptedPrompter : public Prompter {
public:
    struct Message {
        QString text, caption;
        MbButtons buttons;
        MbIcon icon;
    };

    int MessageBox(const QString& text, const QString& caption, MbButtons buttons, MbIcon icon) override {
        messages.push_back({text, caption, buttons, icon});
        if (!answers.empty()) {
            int a = answers.front();
            answers.pop_front();
            return a;
        }
        return buttons == MbButtons::Ok || buttons == MbButtons::OkCancel ? IDOK : IDYES;
    }
    std::optional<QString> GetOpenFileName(const FileDialogRequest& r) override {
        requests.push_back(r);
        return Next();
    }
    QStringList GetOpenFileNames(const FileDialogRequest& r) override {
        requests.push_back(r);
        if (!fileLists.empty()) {
            QStringList l = fileLists.front();
            fileLists.pop_front();
            return l;
        }
        auto n = Next();
        return n ? QStringList{*n} : QStringList{};
    }
    std::optional<QString> GetSaveFileName(const FileDialogRequest& r) override {
        requests.push_back(r);
        return Next();
    }
    std::optional<unsigned> ChooseColour(unsigned) override {
        if (colours.empty()) return std::nullopt;
        unsigned c = colours.front();
        colours.pop_front();
        return c;
    }

    QStringList Texts() const {
        QStringList t;
        for (const auto& m : messages) t << m.text;
        return t;
    }

    std::deque<int> answers;                      // message-box answers, in order
    std::deque<std::optional<QString>> fileNames; // open/save answers; nullopt cancels
    std::deque<QStringList> fileLists;            // multiple-selection answers, used before fileNames
    std::deque<unsigned> colours;
    std::vector<Message> messages;
    std::vector<FileDialogRequest> requests;

private:
    std::optional<QString> Next() {
        std::optional<QString> n;
        if (!fileNames.empty()) {
            n.swap(fileNames.front());
            fileNames.pop_front();
        }
        return n;
    }
};

}  // namespace qm
