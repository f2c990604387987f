#include <QApplication>
#include <gtest/gtest.h>

#include "ui/app/fonts.h"
#include "ui/app/resources.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    qm::InitResources();
    qm::RegisterFontSubstitutions();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
