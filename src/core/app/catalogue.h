#pragma once
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace qm {

using StringList = std::vector<std::string>;

// Index of the first element equal to text, or -1. Without caseSensitive both sides are
// lower-cased before comparing. A linear scan: fine for a header or two, not per word.
int FindInList(const StringList& list, std::string_view text, bool caseSensitive);

// The first index of every case-folded element of a list, so a per-word look-up does not
// scan thousands of names. Answers exactly as FindInList(list, text, false).
class FoldedIndex {
public:
    void Build(const StringList& list);
    int Find(std::string_view text) const;

private:
    std::unordered_map<std::string, int> m_first;
};

// The five data files' paths, in the order they are read.
struct DataFilePaths {
    std::string commands, data, unit, syntax, header;
};

// Everything the editor knows about the game's scripting language.
struct Catalogue {
    StringList m_commands, m_weapons, m_ammo, m_equipment, m_vehicleAmmo, m_unitData, m_syntax;
    std::string m_scriptHeader, m_descriptionHeader;

    // Empties everything, then reads the five files in order; false at the first file that
    // cannot be opened, leaving the lists of the files before it filled.
    bool LoadDataFiles(const DataFilePaths& paths);

    int FindCommand(std::string_view word) const { return m_commandIndex.Find(word); }
    // Looks in weapons, then magazines, vehicle magazines and equipment; false when in none.
    bool IsItem(std::string_view word) const;
    // The lines of the syntax block headed "[command]" (case ignored): up to three, only those there are.
    std::vector<std::string> SyntaxFor(std::string_view command) const;

    // Rebuilds the look-up indexes; LoadDataFiles does it, callers that fill lists by hand call it.
    void RebuildIndexes();
    // Counts the rebuilds, so that what is made from the lists can tell when to make it again.
    unsigned Generation() const { return m_generation; }

private:
    FoldedIndex m_commandIndex, m_weaponIndex, m_ammoIndex, m_vehicleAmmoIndex, m_equipmentIndex,
        m_syntaxIndex;
    unsigned m_generation = 0;
};

// The five data files' kinds, in the order a backup names them.
enum class DataFileKind { Commands, Data, Syntax, Unit, Header };

// Whether bytes can be a data file of the kind: text (no NUL, hardly any other control
// character), and, unless it holds no text at all, with a line the reader takes as one of the
// kind's section headers (none for the commands list, which is a plain list of names).
bool IsPlausibleDataFile(DataFileKind kind, std::string_view bytes);

// Splits a data file into lines: a line ends at a line feed, a carriage return before it is
// removed, and the last line needs no line end. Lines are returned as UTF-8.
StringList ReadDataLines(std::string_view bytes);

}  // namespace qm
