#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <string>

namespace qm {

enum class MbButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MbIcon { None, Information, Warning, Error, Question };
enum MbResult { IDOK = 1, IDCANCEL = 2, IDYES = 6, IDNO = 7 };

// What a standard open or save dialog is asked. The filter is in the "Name|pattern|...||" form.
struct FileDialogRequest {
    QString title;
    std::string filter;
    QString defaultExtension;  // without the dot
    QString proposedName;      // save: the name offered
    QString initialFolder;
};

// Every message box and common dialog goes through here, so tests can answer them.
class Prompter {
public:
    virtual ~Prompter() = default;

    // An empty caption means the program's name.
    virtual int MessageBox(const QString& text, const QString& caption = {}, MbButtons buttons = MbButtons::Ok,
                           MbIcon icon = MbIcon::None) = 0;
    virtual std::optional<QString> GetOpenFileName(const FileDialogRequest& request) = 0;
    virtual QStringList GetOpenFileNames(const FileDialogRequest& request) = 0;
    // Asks before replacing an existing file.
    virtual std::optional<QString> GetSaveFileName(const FileDialogRequest& request) = 0;
    // Colours are 0x00BBGGRR.
    virtual std::optional<unsigned> ChooseColour(unsigned initial) = 0;
};

// After a save in the Windows-1252 code page: warns that `count` characters had no byte there and
// were written as "?". Says nothing when count is 0.
void TellUnmappable(Prompter& prompter, size_t count);

// "Script Files (*.sqs)|*.sqs|All Files (*.*)|*.*||" -> "Script Files (*.sqs);;All Files (*.*)".
QString ToQtFilter(const std::string& filter);

}  // namespace qm
