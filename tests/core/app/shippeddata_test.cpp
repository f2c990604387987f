#include <gtest/gtest.h>

#include "core/app/catalogue.h"
#include "core/app/datapaths.h"

using namespace qm;

// The data files shipped with the program load whole for both editions and stay within the
// limits of the unit wizard's tables.
TEST(ShippedData, BothEditionsLoadCompletely) {
    for (int edition : {0, 1}) {
        AppFolders f{QM_SOURCE_DIR "/", edition, std::nullopt, "/tmp/", {}};
        auto path = [&](PathKind k) { return GetDataPath(k, f); };
        Catalogue c;
        ASSERT_TRUE(c.LoadDataFiles({path(PATH_COMMANDS), path(PATH_DATA), path(PATH_UNIT), path(PATH_SYNTAX),
                                     path(PATH_HEADER)}))
            << "edition " << edition;
        EXPECT_GT(c.m_commands.size(), 250u);
        EXPECT_EQ(FindInList(c.m_commands, "", true), -1) << "a blank line in commands.txt";
        EXPECT_FALSE(c.m_weapons.empty());
        EXPECT_FALSE(c.m_ammo.empty());
        EXPECT_FALSE(c.m_equipment.empty());
        EXPECT_FALSE(c.m_vehicleAmmo.empty());
        EXPECT_FALSE(c.m_scriptHeader.empty());
        EXPECT_FALSE(c.m_descriptionHeader.empty());
        EXPECT_GE(c.m_syntax.size(), 4 * 250u);
        EXPECT_EQ(c.SyntaxFor("addWeapon").size(), 3u);
        EXPECT_TRUE(c.IsItem("Binocular"));
        EXPECT_TRUE(c.IsItem("NVGoggles"));

        // Section sizes of unit.txt against the wizard's tables.
        const std::pair<const char*, size_t> limits[] = {
            {"[PRIMARY]", 63}, {"[SECONDARY]", 31}, {"[HANDGUNS]", 31}, {"[EQUIPMENT]", 32}};
        for (const auto& [header, limit] : limits) {
            int at = FindInList(c.m_unitData, header, true);
            ASSERT_GE(at, 0) << header;
            size_t n = 0;
            for (size_t i = at + 1; i < c.m_unitData.size() && !c.m_unitData[i].empty(); ++i) ++n;
            EXPECT_LE(n, limit) << header;
        }
    }
}
