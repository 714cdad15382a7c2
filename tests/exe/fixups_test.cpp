#include "exe/fixups.h"

#include <gtest/gtest.h>

#include "exe/exe_image.h"
#include "tools/gamekit/fixup_builder.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using gamekit::FixupRecord;
using gamekit::offset32Record;

// A small image with the fixup tables of a made-up layout: the page table at
// 0x10, pages from 0x1000, the records at 0x100 or after the last page.
struct FixupImage {
    VersionLayout layout{};
    std::vector<std::uint8_t> bytes;
    std::size_t pageTableSize = 0;
    std::size_t recordsSize = 0;

    explicit FixupImage(const std::vector<std::vector<FixupRecord>>& pages, bool recordsAtEnd = false) {
        layout.FixupPageTable = 0x10;
        layout.PageBase = 0x1000;
        const auto pagesEnd = static_cast<std::uint32_t>(layout.PageBase + kPageSize * pages.size());
        layout.FixupRecordTable = recordsAtEnd ? pagesEnd : 0x100;
        auto section = gamekit::buildFixupSection(pages);
        pageTableSize = section.pageTable.size();
        recordsSize = section.records.size();
        bytes.assign(recordsAtEnd ? pagesEnd + recordsSize : pagesEnd, 0xEE);
        std::copy(section.pageTable.begin(), section.pageTable.end(), bytes.begin() + layout.FixupPageTable);
        std::copy(section.records.begin(), section.records.end(), bytes.begin() + layout.FixupRecordTable);
    }
    std::int64_t at(std::uint32_t page, std::uint32_t inPage) const {
        return layout.PageBase + kPageSize * page + inPage;
    }
    PointerRead read(std::int64_t position) const { return ReadExePointer(bytes, layout, position); }
    std::vector<std::uint8_t> written(std::int64_t position, std::uint32_t target) const {
        auto copy = bytes;
        for (const auto& e : PointerWriteEdits(bytes, layout, position, target)) {
            std::copy(e.bytes.begin(), e.bytes.end(), copy.begin() + static_cast<std::ptrdiff_t>(e.offset));
        }
        return copy;
    }
};

std::size_t differingBytes(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        n += a[i] != b[i];
    }
    return n;
}

TEST(Fixups, ReadsBothRecordFormsAndTellsMissingFromMinusOne) {
    FixupImage img({{offset32Record(0x10, 2, 0x1234), offset32Record(0x20, 1, 0x12345678),
                     offset32Record(0x30, 2, 0xFFFFFFFF)}});
    EXPECT_EQ(img.read(img.at(0, 0x10)).target, 0x1234);
    EXPECT_EQ(img.read(img.at(0, 0x20)).target, 0x12345678);
    auto minusOne = img.read(img.at(0, 0x30));
    EXPECT_EQ(minusOne.target, -1);
    EXPECT_TRUE(minusOne.found);
    auto missing = img.read(img.at(0, 0x14));
    EXPECT_EQ(missing.target, -1);
    EXPECT_FALSE(missing.found);
    EXPECT_FALSE(img.read(img.layout.PageBase - 4).found);
    EXPECT_FALSE(img.read(-1).found);
}

TEST(Fixups, WritesKeepTheRecordWidthAndTouchOnlyTheTarget) {
    FixupImage img({{offset32Record(0x10, 2, 0x1234), offset32Record(0x20, 1, 0x12345678)}});
    auto shortForm = img.written(img.at(0, 0x10), 0x12345);
    EXPECT_EQ(differingBytes(img.bytes, shortForm), 2u);
    EXPECT_EQ(ReadExePointer(shortForm, img.layout, img.at(0, 0x10)).target, 0x2345);
    auto longForm = img.written(img.at(0, 0x20), 0xFFFFFFFF);
    EXPECT_EQ(ReadExePointer(longForm, img.layout, img.at(0, 0x20)).target, -1);
    EXPECT_EQ(ReadExePointer(longForm, img.layout, img.at(0, 0x10)).target, 0x1234);
    EXPECT_EQ(img.written(img.at(0, 0x14), 7), img.bytes) << "no record: nothing changes";
}

TEST(Fixups, EmptyListFindsNothingEvenWhenTheNextPageHasTheOffset) {
    FixupImage img({{}, {offset32Record(0x40, 2, 0x99)}});
    EXPECT_FALSE(img.read(img.at(0, 0x40)).found);
    EXPECT_EQ(img.read(img.at(1, 0x40)).target, 0x99);
    // A page table entry that runs backwards is no list at all.
    storeU32(img.bytes, img.layout.FixupPageTable + 4, 0);
    storeU32(img.bytes, img.layout.FixupPageTable, 9);
    EXPECT_FALSE(img.read(img.at(0, 0x40)).found);
}

TEST(Fixups, PointerAfterOtherRecordKindsIsFound) {
    FixupRecord selector;
    selector.sourceType = 0x02;
    selector.sourceOffset = 0x100;
    FixupRecord wideObject = offset32Record(0x104, 2, 0x0400);
    wideObject.targetFlags |= 0x40;
    FixupRecord additive = offset32Record(0x108, 1, 0x31000);
    additive.targetFlags |= 0x04 | 0x20;
    additive.additive = 0x10;
    FixupRecord shortAdditive = offset32Record(0x10C, 1, 0x30);
    shortAdditive.targetFlags |= 0x04;
    FixupRecord list;
    list.sourceType = 0x27;
    list.targetFlags = 0x10;
    list.target = 0x10020;
    list.sourceList = {0x200, 0x204, 0x208};
    FixupRecord farPointer = offset32Record(0x110, 1, 0x2000);
    farPointer.sourceType = 0x06;
    FixupImage img({{selector, wideObject, additive, shortAdditive, list, farPointer,
                     offset32Record(0x300, 2, 0xABCD)}});
    EXPECT_EQ(img.read(img.at(0, 0x300)).target, 0xABCD);
    EXPECT_EQ(img.read(img.at(0, 0x104)).target, 0x400) << "a 16-bit object number is still a pointer record";
    EXPECT_EQ(img.read(img.at(0, 0x108)).target, 0x31000);
    EXPECT_FALSE(img.read(img.at(0, 0x100)).found) << "selector records are not pointers";
    EXPECT_FALSE(img.read(img.at(0, 0x110)).found) << "16:32 pointers are not 32-bit offsets";
    EXPECT_FALSE(img.read(img.at(0, 0x204)).found) << "source lists are not matched";
    auto after = img.written(img.at(0, 0x300), 0x1111);
    EXPECT_EQ(ReadExePointer(after, img.layout, img.at(0, 0x300)).target, 0x1111);
}

TEST(Fixups, UnknownRecordEndsTheWalk) {
    FixupRecord chained = offset32Record(0x10, 1, 5);
    chained.targetFlags = 0x08;
    FixupImage img({{chained, offset32Record(0x20, 2, 0x77)}});
    EXPECT_FALSE(img.read(img.at(0, 0x20)).found);
    img.bytes[img.layout.FixupRecordTable + 1] = 0;  // mend the flags
    EXPECT_EQ(img.read(img.at(0, 0x20)).target, 0x77);
    img.bytes[img.layout.FixupRecordTable] = 0x04;  // no such source type
    EXPECT_FALSE(img.read(img.at(0, 0x20)).found);
}

TEST(Fixups, CrossPagePointerHasBothHalvesWritten) {
    FixupImage img({{offset32Record(0x10, 1, 0x50), offset32Record(4094, 2, 0x1234)},
                    {offset32Record(-2, 2, 0x1234), offset32Record(0x8, 1, 0x60)}});
    const auto position = img.at(0, 4094);
    EXPECT_EQ(img.read(position).target, 0x1234);
    auto after = img.written(position, 0x5678);
    EXPECT_EQ(differingBytes(img.bytes, after), 4u);
    auto walk = FindPointerRecords(after, img.layout, position);
    ASSERT_TRUE(walk.first && walk.second);
    EXPECT_EQ(walk.first->target, 0x5678u);
    EXPECT_EQ(walk.second->target, 0x5678u);
    EXPECT_EQ(img.read(img.at(1, 0x8)).target, 0x60) << "the walk steps over the negative source offset";
}

TEST(Fixups, NothingOutsideTheFileIsReadOrWritten) {
    FixupImage full({{offset32Record(0x10, 1, 0x50), offset32Record(0x20, 1, 0x12345678)}}, true);
    // Cut the image inside the last record: that record is absent, the one
    // before it is still found.
    for (std::size_t cut = full.bytes.size() - 1; cut > full.bytes.size() - 9; --cut) {
        std::vector<std::uint8_t> truncated(full.bytes.begin(),
                                            full.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(ReadExePointer(truncated, full.layout, full.at(0, 0x20)).found) << cut;
        EXPECT_TRUE(PointerWriteEdits(truncated, full.layout, full.at(0, 0x20), 1).empty());
        EXPECT_EQ(ReadExePointer(truncated, full.layout, full.at(0, 0x10)).target, 0x50);
    }
    // Page table entries past the end of the file.
    VersionLayout far = full.layout;
    far.FixupPageTable = static_cast<std::uint32_t>(full.bytes.size() - 6);
    EXPECT_FALSE(ReadExePointer(full.bytes, far, full.at(0, 0x10)).found);
    far.FixupPageTable = 0xFFFFFFF0;
    EXPECT_FALSE(ReadExePointer(full.bytes, far, full.at(0, 0x10)).found);
    // A list whose end lies beyond the file is walked only up to the file's end.
    storeU32(full.bytes, full.layout.FixupPageTable + 4, 0x7FFFFFFF);
    EXPECT_EQ(ReadExePointer(full.bytes, full.layout, full.at(0, 0x20)).target, 0x12345678);
    EXPECT_FALSE(ReadExePointer(full.bytes, full.layout, full.at(0, 0x30)).found);
}

TEST(ExeImage, WritesAreAllOrNothingAndCounted) {
    ExeImage image;
    EXPECT_FALSE(image.held());
    image.hold(std::vector<std::uint8_t>(16, 0), 2, "x.exe");
    EXPECT_EQ(image.GameVersion(), 2);
    const auto before = image.revision();
    EXPECT_TRUE(image.writeU32(12, 0xAABBCCDD));
    EXPECT_EQ(image.readU32(12), 0xAABBCCDDu);
    EXPECT_EQ(image.readU16(14), 0xAABBu);
    EXPECT_FALSE(image.writeU32(13, 1));
    EXPECT_FALSE(image.writeU16(UINT64_MAX, 1));
    EXPECT_EQ(image.readU32(12), 0xAABBCCDDu);
    EXPECT_FALSE(image.readU32(13).has_value());
    EXPECT_EQ(image.revision(), before + 1);
    image.release();
    EXPECT_EQ(image.GameVersion(), kNoGame);
    EXPECT_TRUE(image.fileName().empty());
    EXPECT_EQ(image.size(), 0u);
    EXPECT_EQ(image.ReadExePointer(0x1000), -1);
    EXPECT_FALSE(image.PointerFound());
}

}  // namespace
}  // namespace zorbel

namespace zorbel {
namespace {

// The image's indexed lookups must answer exactly as the walk does, also
// after pointer writes and after writes that move records.
TEST(FixupIndex, AgreesWithTheWalk) {
    for (int v = 0; v < kBuildCount; ++v) {
        auto game = gamekit::buildGameExe(v);
        ExeImage image;
        image.hold(game.bytes, v, "x.exe");
        const auto& l = image.layout();
        auto agree = [&](std::int64_t position) {
            const PointerRead walked = ReadExePointer(image.bytes(), l, position);
            const PointerRead indexed = image.readPointer(position);
            return walked.found == indexed.found && walked.target == indexed.target;
        };
        std::vector<std::int64_t> positions;
        for (const auto& p : game.pointers) {
            positions.push_back(p.position);
        }
        for (std::int64_t at = l.PageBase; at < static_cast<std::int64_t>(image.size()); at += 997) {
            positions.push_back(at);
        }
        for (auto at : positions) {
            ASSERT_TRUE(agree(at)) << "build " << v << " at " << std::hex << at;
        }
        image.WriteExePointer(game.crossPagePointer, 0x4321);
        auto walk = FindPointerRecords(image.bytes(), l, game.crossPagePointer);
        EXPECT_EQ(walk.first->target, 0x4321u);
        EXPECT_EQ(walk.second->target, 0x4321u);
        EXPECT_EQ(image.readPointer(game.crossPagePointer).target, 0x4321);

        // Move the first planted record of the unit table's page: a write into the records.
        const std::uint32_t unitPointer = l.UnitTable + 6;
        const auto record = FindPointerRecords(image.bytes(), l, unitPointer).first.value();
        const auto source = *image.readU16(record.recordOffset + 2);
        image.writeU16(record.recordOffset + 2, static_cast<std::uint16_t>(source + 1));
        EXPECT_FALSE(image.readPointer(unitPointer).found);
        EXPECT_TRUE(agree(unitPointer + 1));
    }
}

}  // namespace
}  // namespace zorbel
