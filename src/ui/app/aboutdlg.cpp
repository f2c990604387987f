#include "ui/app/aboutdlg.h"

#include <QBitmap>
#include <QDialogButtonBox>
#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "ui/app/quillmark.h"
#include "ui/menus/pictures.h"

namespace qm {

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Quillmark"));
    auto* grid = new QGridLayout(this);

    auto* name = new QLabel(QStringLiteral("<b>Quillmark</b>"), this);
    m_version = new QLabel(theApp.m_version, this);
    auto* updated = new QLabel(QStringLiteral("Updated to Varnholt version 1.90"), this);
    auto* description = new QLabel(
        QStringLiteral("An editor for Varnholt mission files, with syntax colouring, a command bar, "
                       "wizards, snippets and quick scripts."),
        this);
    description->setWordWrap(true);
    auto* types = new QLabel(QStringLiteral("Edits: Script Files (*.sqs), Function Files (*.sqf), "
                                            "Description Files (*.ext), Briefing/Overview Files (*.html), "
                                            "String Table Files (*.csv), Text Files (*.txt)"),
                             this);
    types->setWordWrap(true);

    // Which copy of the editable files is in use: an installed program keeps each user's own.
    m_dataFolder = new QLabel(
        (theApp.m_perUserData ? QStringLiteral("Data files, snippets and quick scripts (your own copy):\n")
                              : QStringLiteral("Data files, snippets and quick scripts:\n")) +
            QDir::toNativeSeparators(theApp.m_dataFolder.isEmpty() ? theApp.m_programFolder : theApp.m_dataFolder),
        this);
    m_dataFolder->setWordWrap(true);
    m_dataFolder->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_picturePlaceholder = new QWidget(this);
    m_picturePlaceholder->setFixedSize(150, 40);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    grid->addWidget(name, 0, 0);
    grid->addWidget(m_version, 1, 0);
    grid->addWidget(updated, 2, 0);
    grid->addWidget(m_picturePlaceholder, 0, 1, 3, 1, Qt::AlignRight | Qt::AlignTop);
    grid->addWidget(description, 3, 0, 1, 2);
    grid->addWidget(types, 4, 0, 1, 2);
    grid->addWidget(m_dataFolder, 5, 0, 1, 2);
    grid->addWidget(buttons, 6, 0, 1, 2);
    setMinimumWidth(480);
    m_picturePlaceholder->setVisible(true);
    m_picturePlaceholder->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QString CAboutDlg::VersionText() const { return m_version->text(); }
QString CAboutDlg::DataFolderText() const { return m_dataFolder->text(); }

void CAboutDlg::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    const QPixmap logo = LogoPicture();
    if (logo.isNull()) return;
    QPainter p(this);
    p.drawPixmap(m_picturePlaceholder->geometry(), logo);
}

}  // namespace qm
