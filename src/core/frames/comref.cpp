#include "core/frames/comref.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <set>

#include "core/app/casefold.h"
#include "core/app/xmlescape.h"

namespace qm {

namespace {
struct Entry {
    std::string name;
    bool original = false, resistance = false;
};

// Letters, digits and underscores of the name; a number keeps names that differ only elsewhere apart.
std::string Anchor(const std::string& name, std::set<std::string>& used) {
    std::string a = "cmd_";
    for (unsigned char c : name) a += std::isalnum(c) || c == '_' ? static_cast<char>(c) : '_';
    std::string unique = a;
    for (int n = 2; !used.insert(unique).second; ++n) unique = a + "_" + std::to_string(n);
    return unique;
}
}  // namespace

std::string BuildCommandReference(const StringList& originalCommands, const StringList& resistanceCommands,
                                  const Catalogue& syntax, const std::string& version) {
    std::map<std::string, Entry> entries;  // by folded name, so each command is listed once
    auto add = [&](const StringList& list, bool resistance) {
        for (const auto& name : list) {
            if (name.empty()) continue;
            Entry& e = entries[FoldCase(name)];
            if (e.name.empty()) e.name = name;
            (resistance ? e.resistance : e.original) = true;
        }
    };
    add(resistanceCommands, true);
    add(originalCommands, false);

    std::set<std::string> used;
    std::vector<std::pair<const Entry*, std::string>> listed;
    for (const auto& [key, e] : entries) listed.emplace_back(&e, Anchor(e.name, used));

    std::string h;
    h += "<!DOCTYPE html>\r\n<html lang=\"en\">\r\n<head>\r\n<meta charset=\"utf-8\">\r\n";
    h += "<title>Varnholt Command Reference Manual</title>\r\n<style>\r\n";
    h += "body { font-family: Tahoma, sans-serif; margin: 2em; max-width: 60em; }\r\n";
    h += "nav a { display: inline-block; margin: 0 0.8em 0.3em 0; font-family: monospace; }\r\n";
    h += "h2 { font-family: monospace; border-top: 1px solid #ccc; padding-top: 0.6em; }\r\n";
    h += "dl { margin-left: 1em; } dt { font-weight: bold; } dd { font-family: monospace; margin-bottom: 0.4em; }\r\n";
    h += ".editions { color: #666; font-size: small; }\r\n</style>\r\n</head>\r\n<body>\r\n";
    h += "<h1>Varnholt Command Reference Manual</h1>\r\n";
    h += "<p>Every scripting command of Varnholt and Varnholt: Resistance, as Quillmark lists it. Generated from "
         "the data files of Quillmark " + XmlEscape(version) + ": " + std::to_string(listed.size()) +
         " commands.</p>\r\n";
    h += "<nav>\r\n";
    for (const auto& [e, anchor] : listed) h += "<a href=\"#" + anchor + "\">" + XmlEscape(e->name) + "</a>\r\n";
    h += "</nav>\r\n";
    for (const auto& [e, anchor] : listed) {
        h += "<section>\r\n<h2 id=\"" + anchor + "\">" + XmlEscape(e->name) + "</h2>\r\n";
        h += "<p class=\"editions\">";
        h += e->original && e->resistance ? "Varnholt and Resistance" : e->resistance ? "Resistance only"
                                                                                       : "Varnholt only";
        h += "</p>\r\n";
        const auto block = syntax.SyntaxFor(e->name);
        if (block.empty()) {
            h += "<p>No syntax available.</p>\r\n";
        } else {
            static const char* const labels[] = {"Usage", "Returns", "Example"};
            h += "<dl>\r\n";
            for (size_t i = 0; i < block.size(); ++i)
                h += std::string("<dt>") + labels[i] + "</dt><dd>" + XmlEscape(block[i]) + "</dd>\r\n";
            h += "</dl>\r\n";
        }
        h += "</section>\r\n";
    }
    h += "</body>\r\n</html>\r\n";
    return h;
}

}  // namespace qm
