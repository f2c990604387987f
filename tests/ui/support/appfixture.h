#pragma once
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "support/qtprinters.h"

#include "core/platform/memoryregistry.h"
#include "support/scriptedprompter.h"
#include "ui/app/quillmark.h"
#include "ui/doc/scriptdoc.h"
#include "ui/frames/commandbar.h"
#include "ui/frames/mainfrm.h"

namespace qm {

// A program folder of its own with small data files, an in-memory registry and a scripted
// prompter; the application is started by Start() and shut down when the test ends.
class AppFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        WriteData("data/resistance/commands.txt", "addWeapon\nsetDamage\nhint\n");
        WriteData("data/original/commands.txt", "setDamage\n");
        WriteData("data/resistance/data.txt", "[WEAPONS]\nRifleA\n\n[AMMO]\nMagA\n");
        WriteData("data/original/data.txt", "[WEAPONS]\nOldRifle\n");
        WriteData("data/resistance/unit.txt", "[PRIMARY]\nRifleA,MagA,1\n");
        WriteData("data/original/unit.txt", "[PRIMARY]\nOldRifle,MagA,1\n");
        WriteData("data/syntax.txt", "[hint]\nhint text\nNothing\nhint \"x\"\n");
        WriteData("data/header.txt", "[SCRIPT]\n; header\n\n[DESCRIPTION]\n// header\n");
        theApp.m_registry = &registry;
        theApp.m_prompter = &prompter;
        theApp.m_programFolderOverride = m_dir.path();
    }
    void TearDown() override {
        theApp.ExitInstance();
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        theApp.m_programFolderOverride.clear();
    }

    bool Start(const QStringList& args = {}) { return theApp.InitInstance(args); }
    void SetSetting(const char* name, int value) {
        registry.WriteInt(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", name, value);
    }
    int Setting(const char* name, int def = -12345) const {
        return registry.GetInt(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Settings", name, def);
    }

    // Project slot 0-15 as the frame reads it when it starts.
    void SetProjectSlot(int slot, const QString& path) {
        registry.WriteString(Hive::CurrentUser, "Software\\Tarnwell\\Quillmark\\Project Files",
                             "File" + std::to_string(slot), path.toStdString());
    }
    // The entries of the command bar's Project Files branch, as shown.
    QStringList ProjectTexts() const {
        QStringList t;
        const QTreeWidgetItem* root = Main()->m_wndCommandBar->ProjectRoot();
        for (int i = 0; i < root->childCount(); ++i) t << root->child(i)->text(0);
        return t;
    }

    void WriteData(const QString& rel, const QByteArray& bytes) {
        const QString p = m_dir.filePath(rel);
        QDir().mkpath(QFileInfo(p).absolutePath());
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString Path(const QString& rel) const { return m_dir.filePath(rel); }
    QByteArray ReadFile(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    CMainFrame* Main() const { return theApp.GetMainFrame(); }
    // Lets deferred deletions run.
    static void Settle() {
        QApplication::processEvents();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    QTemporaryDir m_dir;
    MemoryRegistry registry;
    ScriptedPrompter prompter;
};

}  // namespace qm
