// The overview page from its three texts (title, overview, picture), separated by "\x1e\n".
#include "core/wizards/overviewpage.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(overviewpage) {
    const std::vector<std::string> parts = qm::fuzz::SplitParts(data, size, 3);
    const std::string page = qm::BuildOverview({parts[0], parts[1], parts[2]}, "Version 3.0.1000");
    // Whatever the texts hold, the page's only line end is CR LF.
    for (size_t i = 0; i < page.size(); ++i) {
        if (page[i] == '\r') QM_FUZZ_CHECK(i + 1 < page.size() && page[i + 1] == '\n');
        if (page[i] == '\n') QM_FUZZ_CHECK(i > 0 && page[i - 1] == '\r');
    }
    QM_FUZZ_CHECK(page.rfind("<html>\r\n", 0) == 0);
    QM_FUZZ_CHECK(page.size() >= 9 && page.compare(page.size() - 9, 9, "</html>\r\n") == 0);
}
