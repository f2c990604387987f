#pragma once
#include <QString>
#include <QStringList>
#include <ostream>

// Lets test failures show Qt strings as text.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const auto& s : l) *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
