#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "core/views/scriptproblems.h"

namespace qm {

// A file named in a mission's text, and where (line from 0, column and length in UTF-16 units).
struct FileReference {
    int line = 0, column = 0, length = 0;
    std::string path;    // as written, UTF-8
    bool music = false;  // a description's CfgMusic track (else a CfgSounds sound)
};

// The script files a script runs with `exec "file"`, also where the code is itself a quoted
// string ("[_x] exec ""b.sqs""" forEach ...). Remarks, and names built by joining strings, are left out.
std::vector<FileReference> ExecReferences(std::u16string_view text, ScriptKind kind);

// The files the `sound[]` entries of a description's CfgSounds and CfgMusic classes name.
std::vector<FileReference> DescriptionSounds(std::u16string_view text);

// The pictures a page shows (`<img src="...">`); web addresses and absolute names left out.
std::vector<FileReference> PagePictures(std::u16string_view html);

// The files of a mission folder by their names relative to it, looked up as the game does:
// "\" and "/" alike, letter case ignored.
class MissionFiles {
public:
    void Add(std::string_view relativePath);
    // Whether the name (relative to the folder; a leading separator allowed) is a file of it.
    // Names that leave the folder ("..") or carry a drive are not.
    bool Has(std::string_view name) const;
    // The name the way Has looks it up; empty when it leaves the folder.
    static std::string Key(std::string_view name);

private:
    std::unordered_set<std::string> m_files;
};

// One finding of a mission check.
struct MissionFinding {
    std::string file;  // relative to the mission folder, "/" between its parts
    int line = -1;     // from 0; -1 for a finding about the whole file
    int column = 0, length = 0;
    ProblemSeverity severity = ProblemSeverity::Error;
    std::string message;
};

// Checks a mission folder and the folders in it: every script by the script rules, that every
// script named by exec exists, that every sound and music file the description names exists,
// that the overview page's picture exists. Files and folders that cannot be read are findings.
// `progress` (done, total files) is called as the check goes; it returns false to stop it.
std::vector<MissionFinding> CheckMissionFolder(const std::string& folder, const ScriptRules& rules,
                                               const std::function<bool(size_t, size_t)>& progress = {});

}  // namespace qm
