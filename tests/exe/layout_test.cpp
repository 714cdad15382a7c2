#include <gtest/gtest.h>

#include "exe/fixups.h"
#include "tables/catalogue.h"

namespace zorbel {
namespace {

TEST(VersionLayouts, NoTwoTablesOverlapAndNoneRunsIntoTheButtons) {
    for (int v = 0; v < kBuildCount; ++v) {
        const auto& l = VersionLayouts[static_cast<std::size_t>(v)];
        const auto tables = TableExtents(l);
        for (std::size_t i = 0; i < tables.size(); ++i) {
            const auto& a = tables[i];
            EXPECT_FALSE(a.start < l.ButtonTable && a.end() > l.ButtonTable)
                << "build " << v << ": " << a.name << " runs into the button records";
            for (std::size_t j = i + 1; j < tables.size(); ++j) {
                const auto& b = tables[j];
                EXPECT_TRUE(a.end() <= b.start || b.end() <= a.start)
                    << "build " << v << ": " << a.name << " overlaps " << b.name;
            }
        }
    }
}

TEST(VersionLayouts, ManaTableEndsJustBeforeTheButtons) {
    for (const auto& l : VersionLayouts) {
        EXPECT_EQ(l.ButtonTable - l.SpellManaTable, 0x7Cu);
    }
    EXPECT_EQ(VersionLayouts[2].SpellManaTable, 0xD22F8u);
}

TEST(VersionLayouts, FixupTablesAndObjectsFitTogether) {
    for (const auto& l : VersionLayouts) {
        EXPECT_EQ((l.DataObjectBase - l.PageBase) % kPageSize, 0u) << "data object is page-aligned";
        EXPECT_LT(l.FixupPageTable, l.FixupRecordTable);
        EXPECT_LT(l.FixupRecordTable, l.PageBase);
        EXPECT_EQ((l.FixupRecordTable - l.FixupPageTable) % 4, 0u);
        EXPECT_EQ(l.ReadySoundTable, l.AttackSoundTable + 348);
        EXPECT_LT(l.DataObjectBase, l.DeathTable - 597);
    }
}

}  // namespace
}  // namespace zorbel
