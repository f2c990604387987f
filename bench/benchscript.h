// The script the benchmarks open: commands, items, variables, remarks and labels (a label every
// eighth line), about 55 bytes a line.
#pragma once
#include <QByteArray>

namespace qm::bench {

inline QByteArray MakeScript(int lines) {
    const char* pattern[] = {
        "_unit%1 addWeapon \"Karveth\"; _unit%1 addMagazine \"KarvethMag\"",
        "? (alive _unit%1) && (damage _unit%1 < 0.5) : _unit%1 setDamage 0",
        "; a remark about step %1 of the patrol route and what happens",
        "#label%1",
        "_pos%1 = getPos _leader; _unit%1 doMove [(_pos%1 select 0) + 10, 0]",
        "hint format [\"Step %1 of the patrol, %2 left\", _i, _count]",
        "~0.5",
        "_group%1 setBehaviour \"AWARE\"; _group%1 setSpeedMode \"LIMITED\"",
    };
    QByteArray text;
    text.reserve(qsizetype(lines) * 58);
    for (int i = 0; i < lines; ++i) text += QByteArray(pattern[i % 8]).replace("%1", QByteArray::number(i)) + "\r\n";
    return text;
}

}  // namespace qm::bench
