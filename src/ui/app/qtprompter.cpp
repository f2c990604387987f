#include "ui/app/qtprompter.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace qm {

QString ToQtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split('|');
    QStringList out;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        const QString name = parts[i];
        if (name.isEmpty()) break;
        QString patterns = parts[i + 1];
        patterns.replace(';', ' ');
        // Qt reads the patterns from the last parentheses of the name; add them when the name has none.
        out << (name.endsWith("(" + patterns + ")") ? name : name + " (" + patterns + ")");
    }
    return out.join(";;");
}

namespace {
QWidget* Parent() { return QApplication::activeWindow(); }
}

int QtPrompter::MessageBox(const QString& text, const QString& caption, MbButtons buttons, MbIcon icon) {
    QMessageBox box(Parent());
    box.setWindowTitle(caption.isEmpty() ? QStringLiteral("Quillmark") : caption);
    box.setText(text);
    switch (icon) {
        case MbIcon::None: box.setIcon(QMessageBox::NoIcon); break;
        case MbIcon::Information: box.setIcon(QMessageBox::Information); break;
        case MbIcon::Warning: box.setIcon(QMessageBox::Warning); break;
        case MbIcon::Error: box.setIcon(QMessageBox::Critical); break;
        case MbIcon::Question: box.setIcon(QMessageBox::Question); break;
    }
    switch (buttons) {
        case MbButtons::Ok: box.setStandardButtons(QMessageBox::Ok); break;
        case MbButtons::OkCancel: box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel); break;
        case MbButtons::YesNo: box.setStandardButtons(QMessageBox::Yes | QMessageBox::No); break;
        case MbButtons::YesNoCancel:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes: return IDYES;
        case QMessageBox::No: return IDNO;
        case QMessageBox::Cancel: return IDCANCEL;
        default: return buttons == MbButtons::YesNoCancel || buttons == MbButtons::OkCancel ? IDCANCEL : IDOK;
        case QMessageBox::Ok: return IDOK;
    }
}

namespace {
// The file dialog reads a typed name holding '"' as a list of quoted names and would save under
// one of them, possibly in another folder. A save takes what was typed as one name in the
// dialog's folder instead, so the file lands exactly where the user asked.
class FileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;
    std::optional<QString> m_typedPath;

    void accept() override {
        const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        const QString typed = edit ? edit->text().trimmed() : QString();
        if (acceptMode() != AcceptSave || !typed.contains(QLatin1Char('"'))) {
            QFileDialog::accept();
            return;
        }
        QString path = directory().absoluteFilePath(typed);
        if (!defaultSuffix().isEmpty() && QFileInfo(typed).suffix().isEmpty()) path += '.' + defaultSuffix();
        if (QFileInfo::exists(path) &&
            QMessageBox::warning(this, windowTitle(),
                                 QStringLiteral("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
            return;
        m_typedPath = path;
        QDialog::accept();
    }
};

FileDialog* MakeDialog(const FileDialogRequest& r, QFileDialog::AcceptMode mode) {
    auto* dlg = new FileDialog(Parent(), r.title, r.initialFolder);
    dlg->setAttribute(Qt::WA_DeleteOnClose, false);
    dlg->setAcceptMode(mode);
    if (!r.filter.empty()) dlg->setNameFilter(ToQtFilter(r.filter));
    if (!r.defaultExtension.isEmpty()) dlg->setDefaultSuffix(r.defaultExtension);
    if (!r.proposedName.isEmpty()) dlg->selectFile(r.proposedName);
    return dlg;
}
}  // namespace

std::optional<QString> QtPrompter::GetOpenFileName(const FileDialogRequest& request) {
    std::unique_ptr<FileDialog> dlg(MakeDialog(request, QFileDialog::AcceptOpen));
    dlg->setFileMode(QFileDialog::ExistingFile);
    if (dlg->exec() != QDialog::Accepted || dlg->selectedFiles().isEmpty()) return std::nullopt;
    return dlg->selectedFiles().first();
}

QStringList QtPrompter::GetOpenFileNames(const FileDialogRequest& request) {
    std::unique_ptr<FileDialog> dlg(MakeDialog(request, QFileDialog::AcceptOpen));
    dlg->setFileMode(QFileDialog::ExistingFiles);
    if (dlg->exec() != QDialog::Accepted) return {};
    return dlg->selectedFiles();
}

std::optional<QString> QtPrompter::GetSaveFileName(const FileDialogRequest& request) {
    std::unique_ptr<FileDialog> dlg(MakeDialog(request, QFileDialog::AcceptSave));
    dlg->setFileMode(QFileDialog::AnyFile);
    if (dlg->exec() != QDialog::Accepted) return std::nullopt;
    if (dlg->m_typedPath) return dlg->m_typedPath;
    if (dlg->selectedFiles().isEmpty()) return std::nullopt;
    return dlg->selectedFiles().first();
}

std::optional<unsigned> QtPrompter::ChooseColour(unsigned initial) {
    const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
    const QColor c = QColorDialog::getColor(start, Parent());
    if (!c.isValid()) return std::nullopt;
    return static_cast<unsigned>(c.red() | (c.green() << 8) | (c.blue() << 16));
}

}  // namespace qm
