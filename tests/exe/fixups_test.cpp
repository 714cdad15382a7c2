#include "exe/fixups.h"

#include <gtest/gtest.h>

#include "exe/exe_image.h"
#include "tools/gamekit/fixup_builder.h"
#include "tools/gamekit/game_exe.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using gamekit::FixupRecord;
using gamekit::offset32Record;

// A small image with the fixup tables of a made-up layout: the page table at
// 0x10, pages from 0x1000, the records at 0x100 or after the last page.
struct FixupImage {
    VersionLayout layout{};
    Bytes bytes;

    explicit FixupImage(const std::vector<std::vector<FixupRecord>>& pages, bool recordsAtEnd = false) {
        layout.FixupPageTable = 0x10;
        layout.PageBase = 0x1000;
        const auto pagesEnd = static_cast<std::uint32_t>(layout.PageBase + 4096 * pages.size());
        layout.FixupRecordTable = recordsAtEnd ? pagesEnd : 0x100;
        auto section = gamekit::buildFixupSection(pages);
        bytes.assign(recordsAtEnd ? pagesEnd + section.records.size() : pagesEnd, 0xEE);
        std::copy(section.pageTable.begin(), section.pageTable.end(), bytes.begin() + layout.FixupPageTable);
        std::copy(section.records.begin(), section.records.end(), bytes.begin() + layout.FixupRecordTable);
    }
    std::int64_t at(std::uint32_t page, std::uint32_t inPage) const {
        return layout.PageBase + 4096 * page + inPage;
    }
    PointerRead read(std::int64_t position) const { return ReadExePointer(bytes, layout, position); }
    Bytes written(std::int64_t position, std::uint32_t target) const {
        auto copy = bytes;
        for (const auto& e : PointerWriteEdits(bytes, layout, position, target)) {
            std::copy(e.bytes.begin(), e.bytes.end(), copy.begin() + static_cast<std::ptrdiff_t>(e.offset));
        }
        return copy;
    }
    // The image with `values` stored from file offset `at`.
    Bytes with(std::size_t at, const Bytes& values) const {
        auto copy = bytes;
        std::copy(values.begin(), values.end(), copy.begin() + static_cast<std::ptrdiff_t>(at));
        return copy;
    }
};

TEST(Fixups, ReadsBothRecordFormsAndTellsMissingFromMinusOne) {
    FixupImage img({{offset32Record(0x10, 2, 0x1234), offset32Record(0x20, 1, 0x12345678),
                     offset32Record(0x30, 2, 0xFFFFFFFF)}});
    EXPECT_EQ(img.read(img.at(0, 0x10)).target, 0x1234);
    EXPECT_EQ(img.read(img.at(0, 0x20)).target, 0x12345678);
    EXPECT_EQ(img.read(img.at(0, 0x30)).target, -1);
    EXPECT_TRUE(img.read(img.at(0, 0x30)).found);
    for (std::int64_t missing :
         {img.at(0, 0x14), img.at(0, 0x11), std::int64_t{0x1000 - 4}, std::int64_t{-1}}) {
        EXPECT_EQ(img.read(missing).target, -1);
        EXPECT_FALSE(img.read(missing).found);
    }
}

TEST(Fixups, WritesKeepTheRecordWidthAndTouchOnlyTheTarget) {
    // Records: 7 bytes with the 16-bit target at +5, then 9 bytes with the 32-bit one at +5.
    FixupImage img({{offset32Record(0x10, 2, 0x1234), offset32Record(0x20, 1, 0x12345678)}});
    EXPECT_EQ(img.written(img.at(0, 0x10), 0xA1B2C3D4), img.with(0x105, {0xD4, 0xC3}));
    EXPECT_EQ(img.written(img.at(0, 0x20), 0xA1B2C3D4), img.with(0x10C, {0xD4, 0xC3, 0xB2, 0xA1}));
    EXPECT_EQ(img.written(img.at(0, 0x14), 7), img.bytes) << "no record: nothing changes";
}

TEST(Fixups, APointerCrossingIntoTheNextPageHasBothRecordsWritten) {
    // The pointer's record in page 0 (7 bytes after a 7-byte one, target at
    // 0x10C) and, with a negative source offset, one in page 1 (9 bytes, target at 0x113).
    for (const auto& [inPage, crosses] : {std::pair{4092, false}, {4093, true}, {4094, true}, {4095, true}}) {
        FixupImage img(
            {{offset32Record(0x10, 1, 0x50), offset32Record(static_cast<std::int16_t>(inPage), 2, 0x1111)},
             {offset32Record(static_cast<std::int16_t>(inPage - 4096), 2, 0x123456),
              offset32Record(0x8, 1, 0x60)}});
        const auto position = img.at(0, static_cast<std::uint32_t>(inPage));
        EXPECT_EQ(img.read(position).target, 0x1111) << inPage;
        auto expected = img.with(0x10C, {0xD4, 0xC3});
        if (crosses) {
            std::copy_n(Bytes{0xD4, 0xC3, 0xB2, 0xA1}.begin(), 4, expected.begin() + 0x113);
        }
        EXPECT_EQ(img.written(position, 0xA1B2C3D4), expected) << inPage;
        EXPECT_EQ(img.read(img.at(1, 0x8)).target, 0x60) << "the walk steps over the negative source offset";
    }
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
    // A selector, a 16-bit object number, 32- and 16-bit additives, a source list, a 16:32 pointer, an
    // import by ordinal.
    FixupImage img(
        {{FixupRecord{0x02, 0x00, 0x100, {}, 2, 0, 0}, FixupRecord{0x07, 0x40, 0x104, {}, 2, 0x400, 0},
          FixupRecord{0x07, 0x34, 0x108, {}, 1, 0x31000, 0x10},
          FixupRecord{0x07, 0x04, 0x10C, {}, 1, 0x30, 0},
          FixupRecord{0x27, 0x10, 0, {0x200, 0x204, 0x208}, 1, 0x10020, 0},
          FixupRecord{0x06, 0x00, 0x110, {}, 1, 0x2000, 0}, FixupRecord{0x07, 0x01, 0x114, {}, 2, 0x1234, 0},
          offset32Record(0x300, 2, 0xABCD)}});
    // A 16-bit object number is still a pointer record; selectors, 16:32 pointers, source lists and
    // imports are none (-1).
    std::vector<std::int64_t> targets;
    for (std::uint32_t at : {0x300, 0x104, 0x108, 0x10C, 0x100, 0x110, 0x204, 0x114}) {
        targets.push_back(img.read(img.at(0, at)).found ? img.read(img.at(0, at)).target : -1);
    }
    EXPECT_EQ(targets, (std::vector<std::int64_t>{0xABCD, 0x400, 0x31000, 0x30, -1, -1, -1, -1}));
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

TEST(Fixups, NothingOutsideTheFileIsReadOrWritten) {
    FixupImage full({{offset32Record(0x10, 1, 0x50), offset32Record(0x20, 1, 0x12345678)}}, true);
    // Cut the image inside the last record: that record is absent, the one
    // before it is still found.
    for (std::size_t cut = full.bytes.size() - 1; cut > full.bytes.size() - 9; --cut) {
        const Bytes truncated(full.bytes.begin(), full.bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        EXPECT_FALSE(ReadExePointer(truncated, full.layout, full.at(0, 0x20)).found) << cut;
        EXPECT_TRUE(PointerWriteEdits(truncated, full.layout, full.at(0, 0x20), 1).empty());
        EXPECT_EQ(ReadExePointer(truncated, full.layout, full.at(0, 0x10)).target, 0x50);
    }
    // Page table entries past the end of the file.
    for (std::uint32_t table : {static_cast<std::uint32_t>(full.bytes.size() - 6), 0xFFFFFFF0u}) {
        VersionLayout far = full.layout;
        far.FixupPageTable = table;
        EXPECT_FALSE(ReadExePointer(full.bytes, far, full.at(0, 0x10)).found);
    }
    // A list whose end lies beyond the file is walked only up to the file's end.
    storeU32(full.bytes, full.layout.FixupPageTable + 4, 0x7FFFFFFF);
    EXPECT_EQ(ReadExePointer(full.bytes, full.layout, full.at(0, 0x20)).target, 0x12345678);
    EXPECT_FALSE(ReadExePointer(full.bytes, full.layout, full.at(0, 0x30)).found);
}

TEST(ExeImage, WritesAreAllOrNothingAndCounted) {
    ExeImage image;
    image.hold(Bytes(16, 0), 2, "x.exe");
    const auto before = image.revision();
    EXPECT_EQ(
        std::tuple(image.writeU32(12, 0xAABBCCDD), image.writeU32(13, 1), image.writeU16(UINT64_MAX, 1)),
        std::tuple(true, false, false));
    EXPECT_EQ(std::tuple(image.readU16(14), image.readU32(12), image.readU32(13), image.revision()),
              std::tuple(0xAABBu, 0xAABBCCDDu, std::nullopt, before + 1));
    image.release();
    EXPECT_EQ(std::tuple(image.GameVersion(), image.fileName(), image.size()), std::tuple(kNoGame, "", 0u));
    EXPECT_EQ(image.ReadExePointer(0x1000), -1);
    EXPECT_FALSE(image.PointerFound());
}

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
