#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "ui/app/fonts.h"
#include "ui/app/resources.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing here may reach the user's desktop files.
    QTemporaryDir xdg;
    qputenv("XDG_DATA_HOME", xdg.filePath("data").toUtf8());
    qputenv("XDG_CONFIG_HOME", xdg.filePath("config").toUtf8());
    // No test looks for the game in the machine's own Wine prefix.
    qputenv("WINEPREFIX", "/nonexistent/quillmark-tests/wine");
    QApplication app(argc, argv);
    qm::InitResources();
    qm::RegisterFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
