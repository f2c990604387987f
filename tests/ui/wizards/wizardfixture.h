#pragma once
#include <QPushButton>

#include "support/appfixture.h"
#include "ui/frames/commandids.h"
#include "ui/views/editview.h"
#include "ui/wizards/wizarddlg.h"

namespace qm {

// The application started on small unit and catalogue tables, with no start document.
class WizardFixture : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        WriteData("data/resistance/unit.txt",
                  "[PRIMARY]\nKarveth,KarvethMag,1\nKarvethGL,KarvethMag,1,GL40HE,1\n\n"
                  "[SECONDARY]\nTorrin,TorrinRocket,2\n\n[HANDGUNS]\nTessik,TessikMag\n\n"
                  "[EQUIPMENT]\nFragGrenade,1\nSatchelCharge,2\n");
        WriteData("data/resistance/data.txt",
                  "[WEAPONS]\nKarveth\nTorrin\n\n[AMMO]\nTorrinRocket\nKarvethMag\nGL40HE\n\n"
                  "[EQUIPMENT]\nFragGrenade\nBinocular\n");
        SetSetting("NewFile", 0);
    }

    template <class T>
    static T* Child(QWidget* parent, const char* name) {
        T* w = parent->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    // The child of type T that shows this text: a button, tick box or radio button.
    template <class T>
    static T* ByText(QWidget* parent, const QString& text) {
        for (auto* w : parent->findChildren<T*>())
            if (w->text() == text) return w;
        ADD_FAILURE() << "nothing with the text " << text.toStdString();
        return nullptr;
    }
    static QPushButton* Button(QWidget* parent, const QString& text) { return ByText<QPushButton>(parent, text); }
    // Starts the program and shows the wizard as its command does; null when either fails.
    template <class D>
    D* OpenWizard(int id) {
        if (!Start()) {
            ADD_FAILURE() << "the program did not start";
            return nullptr;
        }
        auto* dlg = dynamic_cast<D*>(Main()->Wizard(id));
        EXPECT_NE(dlg, nullptr) << "no wizard for command " << id;
        if (dlg) Main()->Action(id)->trigger();
        return dlg;
    }
    // The text a document shows for a generated script: line breaks without carriage returns.
    static QString ShownText(const std::string& script) {
        return QString::fromStdString(script).replace("\r\n", "\n");
    }
};

}  // namespace qm
