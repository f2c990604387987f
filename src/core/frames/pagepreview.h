#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "core/doc/dockinds.h"

namespace qm {

// Whether the page preview shows documents of a kind: the briefing and overview pages.
bool HasPagePreview(DocKind kind);

// How long the preview waits after the last keystroke before it renders a text of a length;
// longer texts wait longer, so a long page renders only when the typing has really stopped.
int PreviewPauseMs(size_t textLength);

enum class PageLinkKind {
    Anchor,  // "#name": a place on the same page
    Marker,  // "marker:name": a marker on the game's map
    Other,   // anything else: another page, a web address; never followed
};

struct PageLink {
    PageLinkKind kind = PageLinkKind::Other;
    std::string target;  // the anchor or marker name; the whole link for Other
};

// Reads a link as the page has it (blanks around it ignored, "marker:" in any case).
PageLink ClassifyPageLink(std::string_view href);

// The status-bar text for a clicked link. Empty for an anchor the page has (the jump says
// enough); anchorOnPage tells whether the page has the anchor.
std::string DescribePageLink(const PageLink& link, bool anchorOnPage);

// The file a picture named by a page stands for: looked up in the page file's folder (and
// below it), with the letter case of the name's last part ignored when no exact match exists,
// as the game's file system does. Absolute names, web addresses and ".." are not followed.
// Empty when the page has no file yet or the picture is not there.
std::string FindPagePicture(std::string_view src, const std::string& pagePath);

// A place on the page that the preview offers to jump to.
struct PageSection {
    std::string anchor;   // as written in the page
    std::string caption;  // "Plan", "Objective 2 - EAST", ...
    size_t offset = 0;    // where its tag starts in the page's text
};

// The named anchors of a page in page order, captioned after the briefing's own anchor names
// ("plan", "main", "obj_2", "debriefing:end1" and their per-side forms); other names as they are.
std::vector<PageSection> ListPageSections(std::string_view html);
std::string SectionCaption(const std::string& anchor);

}  // namespace qm
