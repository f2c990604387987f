#pragma once
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>

#include "ui/menus/iconmenu.h"

namespace qm {

// A menu's item texts as Qt holds them, mnemonic marks included; "-" per separator.
inline QStringList MenuTexts(const QMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) out << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

// A menu bar's titles, mnemonic marks included.
inline QStringList MenuTexts(const QMenuBar* bar) {
    QStringList out;
    for (QAction* a : bar->actions()) out << a->text();
    return out;
}

// A caption without its mnemonic marks: "&&" stands for one "&".
inline QString WithoutMnemonics(const QString& caption) {
    QString out;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&') {
            out += caption[i];
        } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
            out += '&';
            ++i;
        }
    }
    return out;
}

// An owner-drawn menu's captions as drawn (a pop-up's title for a pop-up), mnemonic marks
// removed; "-" per separator.
inline QStringList MenuCaptions(const CIconMenu* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        if (a->isSeparator()) out << QStringLiteral("-");
        else out << WithoutMnemonics(a->menu() ? a->menu()->title() : menu->CaptionOf(a));
    }
    return out;
}

}  // namespace qm
