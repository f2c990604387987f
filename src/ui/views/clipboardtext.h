#pragma once
#include <QString>

class QMimeData;

namespace qm {

// What a paste inserts: characters only, whatever the source's formatting, with every kind of
// line break made a plain "\n". Some programs put only HTML on the clipboard: its text is what
// the user copied.
QString PastedText(const QMimeData* source);
bool CanPasteFrom(const QMimeData* source);

}  // namespace qm
