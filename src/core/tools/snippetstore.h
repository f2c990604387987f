#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

inline constexpr const char* kSnippetOpenError = "ERROR opening snippet file";
inline constexpr const char* kSnippetSaveError = "Error saving snippet file.";

// How much of a snippet the preview reads: a large file is not read whole to be looked at.
inline constexpr size_t kSnippetPreviewBytes = 64 * 1024;

// The start of a snippet for the preview.
struct SnippetPreview {
    bool ok = false;          // false when the file cannot be read
    std::string text;         // as Load gives it, when whole; else the start of the file
    bool whole = false;       // text is the whole snippet
    bool binary = false;      // the start holds NUL bytes: not text
    std::uint64_t size = 0;   // the file's size in bytes
};

// The copy-as-snippet names run from "Text Snippet 1" to this number.
inline constexpr int kMaxTextSnippets = 50;

// True when the name can be a snippet's file name: not empty, no character a file name
// cannot hold (\/:*?|"<>) and no control character.
bool IsValidSnippetName(std::string_view name);

// The message for a name IsValidSnippetName refuses.
std::string InvalidSnippetNameMessage(std::string_view name);

// The snippets folder: every "*.txt" file in it is a snippet named by the file name without
// ".txt". Texts are UTF-8 with "\n" line breaks; the files are ANSI with CR LF line ends.
// Writes refuse a folder without write permission bits (checked here: the superuser is not refused).
class SnippetStore {
public:
    explicit SnippetStore(std::string folder);

    const std::string& Folder() const { return m_folder; }
    // folder + name + ".txt"
    std::string PathOf(std::string_view name) const;

    // The snippet names, sorted without regard to letter case (ties in byte order).
    std::vector<std::string> List() const;

    // Reads a snippet with its trailing line breaks removed. False (text unchanged) when it cannot be read.
    bool Load(std::string_view name, std::string& text) const;

    // Reads at most maxBytes of a snippet, so a huge or binary file is looked at quickly.
    SnippetPreview Preview(std::string_view name, size_t maxBytes = kSnippetPreviewBytes) const;

    // Creates or replaces a snippet. False when the name is invalid or the file cannot be written.
    // unmappable: characters written as "?" because the code page has no byte for them.
    bool Save(std::string_view name, std::string_view text, size_t* unmappable = nullptr) const;

    // Copies each file in turn to a snippet of its name without extension, every line ending in
    // CR LF (an unterminated last line gets one). Stops at the first file that cannot be read or
    // written; returns how many were copied.
    size_t Import(const std::vector<std::string>& files) const;

    // Deletes a snippet; false when it is missing, read-only or the folder may not be changed.
    bool Remove(std::string_view name) const;

    // Renames a snippet; false, leaving everything as it was, when the new name is empty, equal
    // to the old one, invalid or already taken, or the file cannot be moved.
    bool Rename(std::string_view oldName, std::string_view newName) const;

    // The first free "Text Snippet %d" for n = 1..50, or an empty text when all are taken.
    std::string FreeTextSnippetName() const;

    // True when the folder exists and has a write permission bit.
    bool IsWritable() const;

private:
    bool Exists(std::string_view name) const;

    std::string m_folder;
};

}  // namespace qm
