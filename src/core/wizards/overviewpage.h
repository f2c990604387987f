#pragma once
#include <string>

namespace qm {

// What an overview page is built from, as the user typed it.
struct OverviewData {
    std::string title;
    std::string overview;  // may hold several lines
    std::string picture;   // the picture's file name, without folder
};

// The whole overview page, every line ending in "\r\n". The texts go in unchanged (no HTML
// escaping); only their line breaks are written as "\r\n". A pure function of its arguments.
std::string BuildOverview(const OverviewData& data, const std::string& version);

}  // namespace qm
