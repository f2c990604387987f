#pragma once
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "support/appfixture.h"
#include "ui/app/doctemplate.h"
#include "ui/frames/childfrm.h"
#include "ui/views/editview.h"

namespace qm {

// An application with no start document and a catalogue that knows a few names.
class EditorFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteData("data/resistance/commands.txt", "addWeapon\nsetDamage\nhint\nexit\n");
        WriteData("data/resistance/data.txt", "[WEAPONS]\nRIFLEA\n\n[AMMO]\nMagA\n");
        SetSetting("NewFile", 0);
        SetSetting("AddHeader", 0);
        ASSERT_TRUE(Start());
        Main()->resize(900, 700);
        Main()->show();
    }
    CScriptDoc* New(DocKind kind) { return theApp.Template(kind)->OpenDocumentFile(QString()); }
    CScriptDoc* Open(const QString& rel, const QByteArray& bytes) {
        WriteData(rel, bytes);
        return theApp.OpenDocumentFile(Path(rel));
    }

    // The colour shown at a character, or an invalid colour when it has none of its own.
    static QColor ColourAt(CEditView* v, int line, int column) {
        for (const auto& r : v->ShownFormats(line))
            if (column >= r.start && column < r.start + r.length) return r.format.foreground().color();
        return QColor();
    }
    static bool BoldAt(CEditView* v, int line, int column) {
        for (const auto& r : v->ShownFormats(line))
            if (column >= r.start && column < r.start + r.length) return r.format.fontWeight() == QFont::Bold;
        return false;
    }
    static void PlaceCaret(CEditView* v, int line, int column) {
        QTextCursor c(v->document()->findBlockByNumber(line));
        c.setPosition(c.position() + column);
        v->setTextCursor(c);
    }
    QColor Colour(int setting) const { return FromColorRef(setting); }
};

}  // namespace qm
