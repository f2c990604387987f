#include "ui/app/fonts.h"

#include <QFont>

namespace qm {

namespace {
const QStringList kSansFaces = {QStringLiteral("Tahoma"), QStringLiteral("MS Shell Dlg"),
                                QStringLiteral("MS Shell Dlg 2"), QStringLiteral("MS Sans Serif")};
}

void RegisterFontSubstitutions() {
    QFont::insertSubstitutions(QStringLiteral("Courier New"),
                               {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono")});
    for (const QString& face : kSansFaces)
        QFont::insertSubstitutions(face, {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans")});
}

QStringList SubstitutedFaces() {
    return QStringList{QStringLiteral("Courier New"), QStringLiteral("Arial")} + kSansFaces;
}

}  // namespace qm
