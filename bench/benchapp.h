// The application as the benchmarks start it: an in-memory registry, dialogs answered "No",
// the data files of the build folder, the main window shown at a fixed size.
#pragma once
#include <QApplication>
#include <QFile>
#include <cstdio>

#include "core/platform/memoryregistry.h"
#include "ui/app/fonts.h"
#include "ui/app/prompter.h"
#include "ui/app/quillmark.h"
#include "ui/app/resources.h"
#include "ui/frames/mainfrm.h"

namespace qm::bench {

// A figure of /proc/self/status in kB ("VmRSS:", "VmHWM:"); -1 when it cannot be read.
inline long StatusKb(const char* field) {
    QFile f("/proc/self/status");
    if (!f.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith(field)) return l.mid(int(qstrlen(field)) + 1).trimmed().split(' ').front().toLong();
    return -1;
}

class SilentPrompter : public Prompter {
public:
    int MessageBox(const QString& text, const QString&, MbButtons, MbIcon) override {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));  // a failed step shows why
        return IDNO;
    }
    std::optional<QString> GetOpenFileName(const FileDialogRequest&) override { return std::nullopt; }
    QStringList GetOpenFileNames(const FileDialogRequest&) override { return {}; }
    std::optional<QString> GetSaveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<unsigned> ChooseColour(unsigned) override { return std::nullopt; }
};

// Call with the QApplication made; settings are written into the registry before the start.
inline void StartApp(std::initializer_list<std::pair<const char*, int>> settings = {}) {
    static MemoryRegistry registry;
    static SilentPrompter prompter;
    InitResources();
    RegisterFontSubstitutions();
    registry.WriteInt(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", "NewFile", 0);
    for (const auto& [name, value] : settings)
        registry.WriteInt(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", name, value);
    theApp.m_registry = &registry;
    theApp.m_prompter = &prompter;
    theApp.m_programFolderOverride = QCoreApplication::applicationDirPath() + "/..";
    theApp.InitInstance({});
    theApp.GetMainFrame()->resize(1000, 800);
    theApp.GetMainFrame()->show();
}

}  // namespace qm::bench
