// The synthetic executables must be what the editor meets in the field: a
// linear executable another reader can walk, with the tables where each
// build keeps them.
#include "tools/gamekit/game_exe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "base/byte_reader.h"
#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tests/support/le_reader.h"

namespace {

using zorbel::kPageSize;

class GameExeTest : public ::testing::TestWithParam<int> {
  protected:
    static const gamekit::GameExe& exe(int v) {
        static std::map<int, gamekit::GameExe> cache;
        auto it = cache.find(v);
        if (it == cache.end()) {
            it = cache.emplace(v, gamekit::buildGameExe(v)).first;
        }
        return it->second;
    }
};

TEST_P(GameExeTest, IsALinearExecutableLaidOutAsTheBuild) {
    const int v = GetParam();
    const auto& g = exe(v);
    const auto& l = zorbel::VersionLayouts[static_cast<std::size_t>(v)];
    const auto m = testsupport::readLeModule(g.bytes);

    EXPECT_EQ(m.fixupPageTable, l.FixupPageTable);
    EXPECT_EQ(m.fixupRecordTable, l.FixupRecordTable);
    EXPECT_EQ(m.dataPages, l.PageBase);
    EXPECT_EQ(m.pageSize, kPageSize);
    ASSERT_EQ(m.objects.size(), 2u);
    EXPECT_EQ(m.objects[0].firstPage, 1u);
    EXPECT_EQ(m.objects[1].firstPage, m.objects[0].pageCount + 1);
    EXPECT_EQ(m.objects[0].pageCount + m.objects[1].pageCount, m.pageCount);
    EXPECT_EQ(l.PageBase + kPageSize * (m.objects[1].firstPage - 1), l.DataObjectBase);
    for (std::uint32_t p = 0; p < m.pageCount; ++p) {
        EXPECT_EQ(m.pageNumbers[p], p + 1);
    }
    EXPECT_EQ(g.bytes.size(), l.PageBase + kPageSize * m.pageCount) << "every page is whole";

    // One entry per page and one marking the end of the records.
    EXPECT_EQ(m.fixupPageEntries.size(), m.pageCount + 1u);
    EXPECT_TRUE(std::is_sorted(m.fixupPageEntries.begin(), m.fixupPageEntries.end()));
    EXPECT_EQ(m.fixupRecordTable + m.fixupPageEntries.back(), m.importModules);
    EXPECT_LE(m.importModules, l.PageBase);

    for (const auto& t : zorbel::TableExtents(l)) {
        EXPECT_LE(t.end(), g.bytes.size()) << t.name;
        EXPECT_GE(t.start, l.DataObjectBase) << t.name;
    }
    const auto probe = zorbel::VersionProbe[static_cast<std::size_t>(v)];
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(g.bytes.data()) + probe), gamekit::versionText(v));
    EXPECT_EQ(zorbel::DetectGameVersion(g.bytes), v);
}

TEST_P(GameExeTest, HoldsEveryKindOfRecordTheWalkerMustStepOver) {
    const int v = GetParam();
    const auto& g = exe(v);
    const auto m = testsupport::readLeModule(g.bytes);
    std::set<int> lengths;
    bool selector = false, list = false, wideObject = false, additive = false, crossing = false,
         unsorted = false;
    std::map<std::uint32_t, std::vector<std::int16_t>> offsetsByPage;
    for (const auto& f : m.fixups) {
        lengths.insert(static_cast<int>(f.recordLength));
        selector |= (f.sourceType & 0x0F) == 0x02;
        list |= (f.sourceType & 0x20) != 0;
        wideObject |= (f.targetFlags & 0x40) != 0;
        additive |= (f.targetFlags & 0x04) != 0;
        crossing |= f.sources.size() == 1 && f.sources[0] < 0;
        if (f.sources.size() == 1) {
            offsetsByPage[f.page].push_back(f.sources[0]);
        }
    }
    for (const auto& [page, offsets] : offsetsByPage) {
        unsorted |= !std::is_sorted(offsets.begin(), offsets.end());
    }
    EXPECT_TRUE(lengths.count(7) && lengths.count(9)) << "both pointer record forms";
    EXPECT_TRUE(selector && list && wideObject && additive && crossing && unsorted);
    EXPECT_EQ(m.fixupPageEntries[g.emptyPage], m.fixupPageEntries[g.emptyPage + 1]);
    EXPECT_LT(m.fixupPageEntries[g.emptyPage + 1], m.fixupPageEntries[g.emptyPage + 2]);

    // The mixed page's list starts with records that are not plain pointers.
    const auto first =
        std::find_if(m.fixups.begin(), m.fixups.end(), [&](const auto& f) { return f.page == g.mixedPage; });
    ASSERT_NE(first, m.fixups.end());
    EXPECT_NE(first->sourceType, 0x07);
}

TEST_P(GameExeTest, EveryPlantedPointerReadsAsTheIndependentReaderSeesIt) {
    const int v = GetParam();
    const auto& g = exe(v);
    const auto& l = zorbel::VersionLayouts[static_cast<std::size_t>(v)];
    const auto m = testsupport::readLeModule(g.bytes);
    std::map<std::int64_t, std::uint32_t> plain;  // file position -> target of type-7 single-source records
    for (const auto& f : m.fixups) {
        if (f.sourceType == 0x07 && (f.targetFlags & 0x03) == 0 && f.sources.size() == 1 &&
            f.sources[0] >= 0) {
            plain.emplace(std::int64_t{l.PageBase} + kPageSize * f.page + f.sources[0], f.target);
        }
    }
    std::set<std::uint32_t> planted;
    std::size_t withRecord = 0;
    for (const auto& p : g.pointers) {
        planted.insert(p.position);
        auto found = plain.find(p.position);
        ASSERT_EQ(found != plain.end(), p.hasRecord) << std::hex << p.position;
        auto read = zorbel::ReadExePointer(g.bytes, l, p.position);
        EXPECT_EQ(read.found, p.hasRecord);
        if (p.hasRecord) {
            ++withRecord;
            EXPECT_EQ(found->second, p.target);
            EXPECT_EQ(static_cast<std::uint32_t>(read.target), p.target);
            EXPECT_NE(zorbel::loadU32(g.bytes, p.position), p.target)
                << "plain bytes must not read as the target";
        }
    }
    EXPECT_GT(withRecord, 1000u);
    for (std::uint32_t position : zorbel::TablePointerPositions(l)) {
        EXPECT_TRUE(planted.count(position))
            << "table pointer " << std::hex << position << " was not planted";
    }
    ASSERT_NE(g.pointerAt(g.crossPagePointer), nullptr);
    EXPECT_EQ((g.crossPagePointer - l.PageBase) % kPageSize, kPageSize - 2);
}

TEST_P(GameExeTest, IsTheSameEveryTime) {
    EXPECT_EQ(gamekit::buildGameExe(GetParam()).bytes, exe(GetParam()).bytes);
}

INSTANTIATE_TEST_SUITE_P(AllBuilds, GameExeTest, ::testing::Range(0, zorbel::kBuildCount));

}  // namespace
