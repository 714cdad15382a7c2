#include "graphics/sprite_converter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/byte_reader.h"
#include "tests/support/temp_dir.h"
#include "tools/gamekit/sprite_builder.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using gamekit::RawFrame;

Palette768 greyPalette() {
    Palette768 p{};
    for (std::size_t k = 0; k < 256; ++k) {
        p[3 * k] = static_cast<std::uint8_t>(k);
        p[3 * k + 1] = static_cast<std::uint8_t>(255 - k);
        p[3 * k + 2] = 7;
    }
    return p;
}

// One 2 x 1 frame at (0, 0) with the given coded line, in a 2 x 1 sprite.
Bytes oneLineSprite(const Bytes& line, int format = 0, std::uint8_t w = 2) {
    return gamekit::buildSpriteFile(format, w, 1, {RawFrame{.w = w, .h = 1, .lines = {line}}}, true);
}

Result<SpriteSheet> convert(const Bytes& sprite, SpriteOptions o = {}) {
    return ConvertSpriteToMemory(sprite, greyPalette(), o);
}

Bytes pixelRows(const SpriteSheet& s) {
    return Bytes(s.bitmap.begin() + 1078, s.bitmap.end());
}

namespace fs = std::filesystem;

TEST(SpriteConverter, BitmapHeaderAndPaletteAreLaidOutExactly) {
    auto sheet = convert(oneLineSprite({0x02, 0x05, 0x06})).value();
    const Bytes& b = sheet.bitmap;
    ASSERT_EQ(b.size(), 1082u);
    EXPECT_EQ(loadU16(b, 0), 0x4D42u) << "BM";
    // Offset and value of each 32-bit field, then the 16-bit planes and depth.
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {2, 1082}, {6, 0}, {10, 1078}, {14, 40}, {18, 2}, {22, 1}, {30, 0}, {34, 4}, {46, 256}, {50, 256}};
    for (const auto& [at, value] : fields) {
        EXPECT_EQ(loadU32(b, at), value) << at;
    }
    EXPECT_EQ(loadU16(b, 26), 1u);
    EXPECT_EQ(loadU16(b, 28), 8u);
    // Entry k: blue, green, red, 0.
    EXPECT_EQ((Bytes{b[54 + 4 * 9], b[55 + 4 * 9], b[56 + 4 * 9], b[57 + 4 * 9]}), (Bytes{7, 246, 9, 0}));
    EXPECT_EQ(pixelRows(sheet), (Bytes{5, 6, 0, 0}));
    EXPECT_EQ(sheet.frames, 1);
}

TEST(SpriteConverter, RunsOfBothFormats) {
    EXPECT_EQ(pixelRows(convert(oneLineSprite({0x81, 0x01, 0x07})).value()), (Bytes{22, 7, 0, 0}));
    EXPECT_EQ(pixelRows(convert(oneLineSprite({0x81, 0x01, 0x07}), {.background = 9, .lineFill = 3}).value()),
              (Bytes{3, 7, 0, 0}))
        << "a skipped pixel shows the line fill, not the background";
    EXPECT_EQ(pixelRows(convert(oneLineSprite({0x43, 0x09}, 0, 3)).value()), (Bytes{9, 9, 9, 0}));

    // In format 1, 0x43 is a literal of 67 pixels.
    Bytes literal{0x43};
    for (int k = 0; k < 67; ++k) {
        literal.push_back(static_cast<std::uint8_t>(k));
    }
    const SpriteOptions f1{.format = 1};
    auto wide = convert(oneLineSprite(literal, 1, 67), f1).value();
    EXPECT_EQ(wide.width, 67);
    EXPECT_EQ(pixelRows(wide)[66], 66);
    // 0x40 is a literal of 64 in format 1 and an error in format 0.
    Bytes sixtyFour{0x40};
    sixtyFour.insert(sixtyFour.end(), 64, 4);
    EXPECT_TRUE(convert(oneLineSprite(sixtyFour, 1, 64), f1).ok());
    EXPECT_EQ(convert(oneLineSprite(sixtyFour, 0, 64)).error(), "Control byte $40 found.");
    EXPECT_EQ(convert(oneLineSprite({0x00})).error(), "Control byte $00 found.");
    EXPECT_EQ(convert(oneLineSprite({0x80})).error(), "Control byte $80 found.");
}

TEST(SpriteConverter, SheetGeometryAndRowOrder) {
    // Ten 2 x 2 frames, four to a row: three cell rows, the last one part background.
    std::vector<RawFrame> frames;
    for (int f = 0; f < 10; ++f) {
        frames.push_back(gamekit::codedFrame(2, 2, std::vector<int>(4, 100 + f), 0));
    }
    auto sheet =
        convert(gamekit::buildSpriteFile(0, 2, 2, frames, true), {.framesPerRow = 4, .background = 1})
            .value();
    EXPECT_EQ(std::tuple(sheet.width, sheet.height), std::tuple(8, 6));
    const Bytes rows = pixelRows(sheet);  // stride 8, bottom row first
    auto at = [&](int x, int y) { return rows[static_cast<std::size_t>((5 - y) * 8 + x)]; };
    // No frame 10: background; the first stored row is the sheet's bottom row.
    EXPECT_EQ((Bytes{at(0, 0), at(7, 1), at(2, 2), at(3, 5), at(4, 4), rows.front()}),
              (Bytes{100, 103, 105, 109, 1, 108}));

    // Width 45: stride 48, mask stride 8.
    auto wide = convert(gamekit::buildSpriteFile(
                            0, 45, 1, {gamekit::codedFrame(45, 1, std::vector<int>(45, 2), 0)}, true),
                        {.mask = true})
                    .value();
    EXPECT_EQ(std::tuple(loadU32(wide.bitmap, 34), loadU32(wide.mask, 34), wide.mask.size()),
              std::tuple(48u, 8u, 62u + 8u));
}

TEST(SpriteConverter, MaskMarksOpaquePixels) {
    auto sheet = convert(oneLineSprite({0x02, 0x05, 0x06, 0x82, 0x41, 0x03}, 0, 5), {.mask = true}).value();
    const Bytes& m = sheet.mask;
    EXPECT_EQ(std::tuple(loadU32(m, 10), loadU16(m, 28), loadU32(m, 46)), std::tuple(62u, 1u, 2u));
    EXPECT_EQ((Bytes(m.begin() + 54, m.begin() + 62)), (Bytes{0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(m[62], 0xC8);
}

TEST(SpriteConverter, OffsetsTopBitUncompressedFramesAndNoFrames) {
    const RawFrame frame{.x = 1, .w = 2, .h = 1, .lines = {{0x02, 0x05, 0x06}}, .offsetFlags = 0x80000000u};
    auto shifted = convert(gamekit::buildSpriteFile(0, 3, 1, {frame}, true)).value();
    EXPECT_EQ(pixelRows(shifted), (Bytes{22, 5, 6, 0}))
        << "offset read without its top bit, frame moved by x";

    const RawFrame raw{.w = 3, .h = 2, .lines = {{1, 2, 3}, {4, 5, 6}}};
    EXPECT_EQ(
        pixelRows(convert(gamekit::buildSpriteFile(0, 3, 2, {raw}, false), {.compressed = false}).value()),
        (Bytes{4, 5, 6, 0, 1, 2, 3, 0}));

    auto none = convert(gamekit::buildSpriteFile(0, 8, 8, {}, true)).value();
    EXPECT_EQ(none.frames, 0);
    EXPECT_EQ(none.height, 0);
    EXPECT_EQ(none.bitmap.size(), 1078u);
}

TEST(SpriteConverter, InputOutsideTheModelIsClippedOrReported) {
    // A frame wider than its cell and placed past the sheet: clipped.
    RawFrame wide = gamekit::codedFrame(6, 1, std::vector<int>(6, 9), 0);
    wide.x = 3;
    auto clipped = convert(gamekit::buildSpriteFile(0, 4, 1, {wide}, true)).value();
    EXPECT_EQ(pixelRows(clipped), (Bytes{22, 22, 22, 9}));
    const std::string beyond = "Read beyond end of file";
    // A run past w, a line shorter than its runs, a data offset past the end.
    EXPECT_EQ(convert(oneLineSprite({0x03, 1, 2, 3})).error(), "Line 0 of frame 0 is damaged.");
    EXPECT_EQ(convert(oneLineSprite({0x02, 1})).error(), "Line 0 of frame 0 is damaged.");
    Bytes far = oneLineSprite({0x02, 5, 6});
    storeU32(far, 10, 0x7FFF0000);
    EXPECT_EQ(convert(far).error(), beyond);
    // A frame limit above the count converts the frames there are.
    EXPECT_EQ(convert(oneLineSprite({0x02, 5, 6}), {.frameLimit = 5}).value().frames, 1);
    // Truncated headers.
    EXPECT_EQ(convert(Bytes{1, 0, 2}).error(), beyond);
    EXPECT_EQ(convert(Bytes{1, 0, 2, 0, 1, 0}).error(), beyond);
}

TEST(SpriteConverter, SheetsTallerThanABitmapSideAreRefused) {
    // One 1 x 1 frame in a cell of 65535 rows; a gap row makes the sheet 65536.
    const Bytes tall = gamekit::buildSpriteFile(0, 1, 65535, {gamekit::codedFrame(1, 1, {5}, 0)}, true);
    auto atLimit = convert(tall).value();
    EXPECT_EQ(loadU32(atLimit.bitmap, 22), 65535u);
    ASSERT_EQ(atLimit.bitmap.size(), 1078u + 4u * 65535u);
    EXPECT_EQ(atLimit.bitmap[1078u + 4u * 65534u], 5) << "the frame's pixel is in the top row, stored last";
    const SpriteOptions past{.gapY = 1};
    EXPECT_EQ(convert(tall, past).error(), "The sheet would be taller than 65535 rows.");

    const testsupport::TempDir temp;
    const fs::path& dir = temp.path();
    temp.put("in.spr", tall);
    EXPECT_EQ(ConvertSprite(dir / "in.spr", dir / "out.bmp", std::nullopt, greyPalette(), past).error(),
              "Error converting : The sheet would be taller than 65535 rows.");
}

TEST(SpriteConverter, FilesAreWrittenAndOpeningErrorsNamed) {
    const testsupport::TempDir temp;
    const fs::path& dir = temp.path();
    temp.put("in.spr", oneLineSprite({0x02, 0x05, 0x06}));
    auto done = ConvertSprite(dir / "in.spr", dir / "out.bmp", dir / "out-mask.bmp", greyPalette(), {});
    ASSERT_TRUE(done.ok()) << done.error();
    EXPECT_EQ(std::tuple(temp.read("out.bmp").size(), temp.read("out-mask.bmp").size()),
              std::tuple(1082u, 66u));
    auto missing = ConvertSprite(dir / "none.spr", dir / "out.bmp", std::nullopt, greyPalette(), {});
    EXPECT_EQ(missing.error(),
              "Error opening file \"" + (dir / "none.spr").string() + "\" : No such file or directory");
    auto bad = ConvertSprite(dir / "in.spr", dir / "no" / "out.bmp", std::nullopt, greyPalette(), {});
    EXPECT_EQ(bad.error().rfind("Error opening file \"", 0), 0u);
}

}  // namespace
}  // namespace zorbel
