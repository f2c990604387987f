// The description wizard and its file: three lists (weapons, ammo, equipment) separated by blank
// lines, then wizard actions drawn from the input's tail.
#include <algorithm>

#include "core/wizards/descriptionwizard.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(descriptionwizard) {
    qm::fuzz::TailReader in(data, size);
    const uint8_t flags = in.Byte();
    const std::vector<uint8_t> nameBytes = in.Bytes(in.Byte() % 16);
    const std::string name(nameBytes.begin(), nameBytes.end());
    const std::vector<uint8_t> ops = in.Bytes((in.Byte() % 64) * 3);
    const qm::StringList lines = qm::ReadDataLines(in.Rest());

    qm::StringList lists[3];
    size_t which = 0;
    for (const auto& l : lines) {
        if (l.empty()) which = std::min<size_t>(which + 1, 2);
        else lists[which].push_back(l);
    }
    qm::DescriptionWizard w;
    w.ResetWizard(lists[0], lists[1], lists[2]);
    qm::DescriptionData& d = w.Data();
    d.gear = flags & 1;
    d.respawn = flags & 2;
    d.sounds = flags & 4;
    d.music = flags & 8;
    d.delay = name;
    for (size_t i = 0; i + 2 < ops.size(); i += 3) {
        const auto source = static_cast<qm::GearSource>(ops[i + 2] % 3);
        const int arg = static_cast<int8_t>(ops[i + 1]) * (ops[i + 2] & 0x80 ? 1000000 : 1);
        switch (ops[i] % 9) {
            case 0: w.AddGear(source, arg); break;
            case 1: w.RemoveGear(arg, static_cast<int8_t>(ops[i + 2])); break;
            case 2: w.SetCount(source, static_cast<uint32_t>(arg)); break;
            case 3: w.AddSound(name.substr(0, static_cast<size_t>(ops[i + 1]) % (name.size() + 1))); break;
            case 4: w.AddMusic(name); break;
            case 5: w.RemoveSound(arg); break;
            case 6: w.RemoveMusic(arg); break;
            case 7: d.respawnIndex = arg; break;
            default: w.ClearGear(); break;
        }
        const int ammo = w.AmmoForWeapon(arg);
        QM_FUZZ_CHECK(ammo >= -1 && ammo < static_cast<int>(w.Source(qm::GearSource::Ammo).size()));
    }
    for (const auto& f : d.soundFiles) QM_FUZZ_CHECK(f.find(".ogg") != std::string::npos);
    const std::string file = w.BuildDescription("Version 3.0.1000");
    QM_FUZZ_CHECK(file.rfind(std::string(74, '/') + "\r\n", 0) == 0);
    QM_FUZZ_CHECK(file.size() >= 2 && file.compare(file.size() - 2, 2, "\r\n") == 0);
}
