// The text loader and saver's conversions: every byte but the line ends comes back.
#include "core/doc/textfile.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(textfile) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    qm::TextLoadReport report;
    const std::string text = qm::DecodeDocumentText(bytes, &report);
    size_t unmappable = 0;
    const std::string back = qm::EncodeDocumentText(text, &unmappable);
    QM_FUZZ_CHECK(unmappable == 0);

    std::string expected;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
            expected += "\r\n";
        } else {
            expected.push_back(bytes[i]);
        }
    }
    QM_FUZZ_CHECK(back == expected);
    QM_FUZZ_CHECK(report.longestLine <= size);
    QM_FUZZ_CHECK(bytes.empty() == (report.lineCount == 0));
    // Text typed in the editor (any UTF-8, valid or not) always encodes.
    (void)qm::EncodeDocumentText(bytes);
}
