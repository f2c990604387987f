#include "core/app/catalogue.h"

#include <algorithm>
#include <initializer_list>

#include "core/app/ansicodec.h"
#include "core/app/casefold.h"
#include "core/app/safefile.h"

namespace qm {

int FindInList(const StringList& list, std::string_view text, bool caseSensitive) {
    if (caseSensitive) {
        for (size_t i = 0; i < list.size(); ++i)
            if (list[i] == text) return static_cast<int>(i);
        return -1;
    }
    const std::string folded = FoldCase(text);
    for (size_t i = 0; i < list.size(); ++i)
        if (FoldCase(list[i]) == folded) return static_cast<int>(i);
    return -1;
}

void FoldedIndex::Build(const StringList& list) {
    m_first.clear();
    m_first.reserve(list.size());
    for (size_t i = 0; i < list.size(); ++i) m_first.emplace(FoldCase(list[i]), static_cast<int>(i));
}

int FoldedIndex::Find(std::string_view text) const {
    auto it = m_first.find(FoldCase(text));
    return it == m_first.end() ? -1 : it->second;
}

StringList ReadDataLines(std::string_view bytes) {
    StringList lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string_view::npos ? bytes.size() : lf;
        size_t len = end - start;
        if (lf != std::string_view::npos && len > 0 && bytes[end - 1] == '\r') --len;
        lines.push_back(AnsiToUtf8(bytes.substr(start, len)));
        if (lf == std::string_view::npos) break;
        start = lf + 1;
    }
    return lines;
}

bool IsPlausibleDataFile(DataFileKind kind, std::string_view bytes) {
    size_t controls = 0;
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == 0) return false;
        if (b < 0x20 && b != '\t' && b != '\n' && b != '\r') ++controls;
    }
    if (controls > bytes.size() / 100) return false;  // random or binary bytes, not a text someone wrote
    const StringList lines = ReadDataLines(bytes);
    const bool blank = std::all_of(lines.begin(), lines.end(), [](const std::string& l) {
        return l.find_first_not_of(" \t") == std::string::npos;
    });
    if (blank || kind == DataFileKind::Commands) return true;
    const auto has = [&](std::initializer_list<const char*> headers) {
        for (const auto& l : lines)
            for (const char* h : headers)
                if (l == h) return true;
        return false;
    };
    switch (kind) {
        case DataFileKind::Data: return has({"[WEAPONS]", "[AMMO]", "[EQUIPMENT]", "[VEHICLE_AMMO]"});
        case DataFileKind::Header: return has({"[SCRIPT]", "[DESCRIPTION]"});
        case DataFileKind::Syntax:
        case DataFileKind::Unit:
            return std::any_of(lines.begin(), lines.end(), [](const std::string& l) {
                return l.size() > 2 && l.front() == '[' && l.back() == ']';
            });
        case DataFileKind::Commands: break;
    }
    return true;
}

namespace {
bool ReadLines(const std::string& path, StringList& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes).ok) return false;
    lines = ReadDataLines(bytes);
    return true;
}

// Items after the header up to the first blank line. Returns the index of the line that
// ended the section, which the caller tests against the other headers too.
size_t ReadSection(const StringList& lines, size_t header, StringList& into, const char* suffix = nullptr) {
    size_t i = header + 1;
    for (; i < lines.size(); ++i) {
        if (lines[i].empty()) break;
        into.push_back(suffix ? lines[i] + suffix : lines[i]);
    }
    return i;
}
}  // namespace

bool Catalogue::LoadDataFiles(const DataFilePaths& paths) {
    for (StringList* l : {&m_commands, &m_weapons, &m_ammo, &m_equipment, &m_vehicleAmmo, &m_unitData, &m_syntax})
        l->clear();
    m_scriptHeader.clear();
    m_descriptionHeader.clear();

    bool ok = [&] {
        StringList lines;
        if (!ReadLines(paths.commands, m_commands)) return false;

        if (!ReadLines(paths.data, lines)) return false;
        for (size_t i = 0; i < lines.size(); ++i) {
            // A section ends on its closing line, which may itself be one of the later headers.
            if (lines[i] == "[WEAPONS]") i = ReadSection(lines, i, m_weapons);
            if (i < lines.size() && lines[i] == "[AMMO]") i = ReadSection(lines, i, m_ammo);
            if (i < lines.size() && lines[i] == "[EQUIPMENT]") i = ReadSection(lines, i, m_equipment);
            if (i < lines.size() && lines[i] == "[VEHICLE_AMMO]") i = ReadSection(lines, i, m_vehicleAmmo);
        }

        if (!ReadLines(paths.unit, m_unitData)) return false;

        if (!ReadLines(paths.syntax, lines)) return false;
        for (auto& l : lines)
            if (!l.empty()) m_syntax.push_back(std::move(l));

        if (!ReadLines(paths.header, lines)) return false;
        for (size_t i = 0; i < lines.size(); ++i) {
            StringList text;
            if (lines[i] == "[SCRIPT]") {
                i = ReadSection(lines, i, text, "\r\n");
                for (auto& t : text) m_scriptHeader += t;
                text.clear();
            }
            if (i < lines.size() && lines[i] == "[DESCRIPTION]") {
                i = ReadSection(lines, i, text, "\r\n");
                for (auto& t : text) m_descriptionHeader += t;
            }
        }
        return true;
    }();
    RebuildIndexes();
    return ok;
}

void Catalogue::RebuildIndexes() {
    m_commandIndex.Build(m_commands);
    m_weaponIndex.Build(m_weapons);
    m_ammoIndex.Build(m_ammo);
    m_vehicleAmmoIndex.Build(m_vehicleAmmo);
    m_equipmentIndex.Build(m_equipment);
    m_syntaxIndex.Build(m_syntax);
    ++m_generation;
}

bool Catalogue::IsItem(std::string_view word) const {
    return m_weaponIndex.Find(word) >= 0 || m_ammoIndex.Find(word) >= 0 || m_vehicleAmmoIndex.Find(word) >= 0 ||
           m_equipmentIndex.Find(word) >= 0;
}

std::vector<std::string> Catalogue::SyntaxFor(std::string_view command) const {
    std::vector<std::string> block;
    std::string header = "[";  // appended, not "[" + ...: GCC 12 warns wrongly on that form
    header.append(command).push_back(']');
    int at = m_syntaxIndex.Find(header);
    if (at < 0) return block;
    for (size_t i = at + 1; i < m_syntax.size() && block.size() < 3; ++i) block.push_back(m_syntax[i]);
    return block;
}

}  // namespace qm
