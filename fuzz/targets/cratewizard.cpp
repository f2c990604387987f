// The crate builder and its script: three lists (weapons, magazines, equipment) separated by
// blank lines, then crate actions drawn from the input's tail.
#include <algorithm>

#include "core/wizards/cratewizard.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(cratewizard) {
    qm::fuzz::TailReader in(data, size);
    const int random = in.Int();
    const std::vector<uint8_t> countBytes = in.Bytes(in.Byte() % 16);
    const std::string count(countBytes.begin(), countBytes.end());
    const std::vector<uint8_t> ops = in.Bytes((in.Byte() % 64) * 3);
    const qm::StringList lines = qm::ReadDataLines(in.Rest());

    qm::StringList lists[3];
    size_t which = 0;
    for (const auto& l : lines) {
        if (l.empty()) which = std::min<size_t>(which + 1, 2);
        else lists[which].push_back(l);
    }
    if (auto n = qm::ParseCrateCount(count)) QM_FUZZ_CHECK(std::to_string(*n).size() <= count.size());
    (void)qm::FindFirstWithPrefix(lines, count);

    qm::CrateWizard w;
    w.ResetWizard(lists[0], lists[1], lists[2], random);
    for (size_t i = 0; i + 2 < ops.size(); i += 3) {
        const auto source = static_cast<qm::CrateSource>(ops[i + 2] % 3);
        const int arg = static_cast<int8_t>(ops[i + 1]) * (ops[i + 2] & 0x80 ? 1000000 : 1);
        switch (ops[i] % 7) {
            case 0: w.Add(source, arg); break;
            case 1: w.RemoveLine(arg); break;
            case 2: w.StepCount(source, arg); break;
            case 3: w.SetCount(source, static_cast<uint32_t>(arg)); break;
            case 4: w.MagazineForWeapon(arg); break;
            case 5: w.SetEmptyCrate(arg & 1); break;
            default: w.ClearLines(); break;
        }
        const int mag = w.MagazineForWeapon(arg);
        QM_FUZZ_CHECK(mag >= -1 && mag < static_cast<int>(w.Source(qm::CrateSource::Magazines).size()));
    }
    (void)w.CanCreateToDisk();
    const std::string script = w.BuildCrateScript("Version 3.0.1000");
    QM_FUZZ_CHECK(script.size() >= 2 && script.compare(script.size() - 2, 2, "\r\n") == 0);
}
