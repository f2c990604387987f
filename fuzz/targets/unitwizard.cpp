// The unit-table reader and the unit wizard: unit.txt bytes, then a run of wizard actions drawn
// from the input's tail.
#include "core/wizards/unitwizard.h"
#include "fuzztarget.h"

QM_FUZZ_TARGET(unitwizard) {
    qm::fuzz::TailReader in(data, size);
    const bool expansion = in.Bool();
    const int random = in.Int();
    const std::vector<uint8_t> ops = in.Bytes((in.Byte() % 64) * 3);
    const std::string text = in.Rest();

    qm::UnitWizard w;
    w.ResetWizard(qm::ReadDataLines(text), expansion, random);
    const auto& t = w.Tables();
    QM_FUZZ_CHECK(t.primary.names.size() <= qm::kPrimaryCapacity + 1);
    QM_FUZZ_CHECK(t.secondary.names.size() <= qm::kSecondaryCapacity + 1);
    QM_FUZZ_CHECK(t.equipment.size() <= qm::kEquipmentCapacity);

    for (size_t i = 0; i + 2 < ops.size(); i += 3) {
        const int arg = static_cast<int8_t>(ops[i + 1]) * (ops[i + 2] & 0x80 ? 1000000 : 1);
        switch (ops[i] % 11) {
            case 0: w.SelectPrimary(arg); break;
            case 1: w.SelectSecondary(arg); break;
            case 2: w.SelectHandgun(arg); break;
            // The arrows step one at a time (ten with Page Up): a step is small, as a user's are.
            case 3: w.StepCount(static_cast<qm::UnitCount>(ops[i + 2] % 4), static_cast<int8_t>(ops[i + 1])); break;
            case 4: w.AddOne(arg); break;
            case 5: w.RemoveOne(arg); break;
            case 6: w.SetSniper(arg & 1); break;
            case 7: w.SetRemoveGear(arg & 1); break;
            case 8: w.SetBinoculars(arg & 1); w.SetNVGoggles(arg & 2); break;
            case 9: w.SetName(std::string(static_cast<size_t>(ops[i + 1]), 'x')); break;
            default: w.ResetWizard(qm::ReadDataLines(text), !expansion, arg); break;
        }
        for (auto which : {qm::UnitCount::Primary, qm::UnitCount::Launcher, qm::UnitCount::Secondary,
                           qm::UnitCount::Handgun})
            QM_FUZZ_CHECK(w.Count(which) >= 0);
        QM_FUZZ_CHECK(w.Count(qm::UnitCount::Handgun) <= qm::UnitWizard::kMaxHandgunMagazines);
        QM_FUZZ_CHECK(w.Used() >= 0);
        (void)w.EquipmentLines();
        (void)w.CapacityText();
        (void)w.PrimaryMagazineLabel();
        (void)w.LauncherLabel();
    }
    const std::string script = w.BuildUnitScript("Version 3.0.1000");
    QM_FUZZ_CHECK(!script.empty());
}
