#include "core/wizards/generatedfile.h"

#include "core/app/ansicodec.h"
#include "core/app/safefile.h"

namespace qm {

TextSaveReport WriteGeneratedFile(const std::string& path, std::string_view text) {
    TextSaveReport report;
    const std::string bytes = Utf8ToAnsi(text, &report.unmappable);
    report.result = WriteFileAtomically(path, bytes);
    return report;
}

}  // namespace qm
