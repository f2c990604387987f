#include "ui/views/largetext.h"

namespace qm {

CLargeText::CLargeText(std::string text, QObject* parent) : QObject(parent), m_table(std::move(text)) {
    m_table.onChange = [this](const PieceTable::Change& change) { emit Changed(change); };
}

void CLargeText::Reset(std::string text) {
    m_table = PieceTable(std::move(text));
    m_table.onChange = [this](const PieceTable::Change& change) { emit Changed(change); };
    emit WasReset();
}

}  // namespace qm
