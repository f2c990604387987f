#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/qtprinters.h"
#include "ui/app/qtprompter.h"

using namespace qm;

namespace {
// Runs the real save dialog, types `typed` into its name field and presses Save.
std::optional<QString> SaveAs(const QString& folder, const QString& typed) {
    QTimer::singleShot(0, [typed] {
        auto* dlg = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(typed);
        QMetaObject::invokeMethod(dlg, "accept");
    });
    QtPrompter prompter;
    return prompter.GetSaveFileName({QStringLiteral("Save Unit Script"), "Script Files (*.sqs)|*.sqs||",
                                     QStringLiteral("sqs"), QString(), folder});
}
}  // namespace

TEST(QtPrompterSave, ATypedNameIsSavedExactlyWhereTheUserTypedIt) {
    QTemporaryDir dir;
    QTemporaryDir elsewhere;
    EXPECT_EQ(SaveAs(dir.path(), "my unit"), dir.filePath("my unit.sqs"));
    // Quotes are part of the name, never a list of names nor a way into another folder.
    EXPECT_EQ(SaveAs(dir.path(), "bad\"name"), dir.filePath("bad\"name.sqs"));
    EXPECT_EQ(SaveAs(dir.path(), "\"" + elsewhere.filePath("x") + "\""),
              dir.path() + "/\"" + elsewhere.filePath("x") + "\".sqs");
    EXPECT_EQ(SaveAs(dir.path(), "\"a\" \"b\""), dir.filePath("\"a\" \"b\".sqs"));
}
