#include "ui/app/fonts.h"

#include <QFont>
#include <QStringList>

namespace qm {

void RegisterFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    for (const char* face : {"Tahoma", "MS Shell Dlg", "MS Shell Dlg 2", "MS Sans Serif"})
        QFont::insertSubstitutions(QString::fromLatin1(face),
                                   {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

}  // namespace qm
