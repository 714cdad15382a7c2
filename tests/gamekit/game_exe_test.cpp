// What the other tests trust of the kit's executables: another reader finds
// every planted pointer where the editor reads it, and the records the walker
// must step over are there.
#include "tools/gamekit/game_exe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "exe/exe_image.h"
#include "tests/support/le_reader.h"

namespace {

class GameExeTest : public ::testing::TestWithParam<int> {};

TEST_P(GameExeTest, EveryPlantedPointerAndEveryRecordKindIsThere) {
    const int v = GetParam();
    const auto g = gamekit::buildGameExe(v);
    const auto m = testsupport::readLeModule(g.bytes);
    EXPECT_EQ(std::tuple(m.fixupPageTable, m.fixupRecordTable, m.dataPages),
              std::tuple(g.layout().FixupPageTable, g.layout().FixupRecordTable, g.layout().PageBase));
    EXPECT_EQ(zorbel::DetectGameVersion(g.bytes), v);
    std::set<std::uint32_t> planted;
    for (const auto& p : g.pointers) {
        planted.insert(p.position);
        const auto records = m.pointerRecords(p.position);
        ASSERT_EQ(records.empty(), !p.hasRecord) << std::hex << p.position;
        for (const auto* r : records) {
            EXPECT_EQ(r->target, r->targetWidth == 4 ? p.target : p.target & 0xFFFF)
                << std::hex << p.position;
        }
        const auto read = zorbel::ReadExePointer(g.bytes, zorbel::VersionLayouts[v], p.position);
        EXPECT_EQ(read.target, p.hasRecord ? static_cast<std::int32_t>(p.target) : -1)
            << std::hex << p.position;
    }
    for (std::uint32_t position : gamekit::tables::tablePointerPositions(g.layout())) {
        EXPECT_TRUE(planted.count(position)) << "table pointer " << std::hex << position << " not planted";
    }
    EXPECT_EQ(m.pointerRecords(g.crossPagePointer).size(), 2u);
    std::set<int> kinds;  // the source type, and the flags of pointer records
    for (const auto& f : m.fixups) {
        kinds.insert(f.sourceType == 0x07 ? 0x700 | f.targetFlags : f.sourceType);
    }
    EXPECT_EQ(kinds, (std::set<int>{0x02, 0x06, 0x27, 0x700, 0x710, 0x734, 0x740}));
    EXPECT_EQ(m.pageEntries[g.emptyPage], m.pageEntries[g.emptyPage + 1]);
    const auto first =
        std::find_if(m.fixups.begin(), m.fixups.end(), [&](const auto& f) { return f.page == g.mixedPage; });
    EXPECT_NE(first->sourceType, 0x07) << "the mixed page's list starts with other kinds";
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, GameExeTest, ::testing::Range(0, gamekit::tables::kBuilds));

}  // namespace
