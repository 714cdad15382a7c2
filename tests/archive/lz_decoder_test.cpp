#include "archive/lz_decoder.h"

#include <gtest/gtest.h>

#include "tools/gamekit/lz_encoder.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Streams written item by item: 0 to 255 a literal, C a copy from an absolute ring position.
const auto C = gamekit::lzCopy;
const auto stream = gamekit::lzStream;

TEST(LzDecode, ShortStreamsOfEveryForm) {
    const std::pair<std::vector<int>, Bytes> cases[] = {
        {{'p', C(0, 3), 'q'}, {'p', 'p', 'p', 'p', 'q'}},  // lowest flag bit first
        {{'q', C(0, 18)}, Bytes(19, 'q')},                 // a copy overlapping itself
        {{'a', 'b', 'c', 'd', C(1, 3)}, {'a', 'b', 'c', 'd', 'b', 'c', 'd'}},
        {{C(100, 10)}, Bytes(10, 0)},                                // cells never written read as zero
        {{'A', 'B', C(4094, 6)}, {'A', 'B', 0, 0, 'A', 'B', 0, 0}},  // then what the copy itself wrote
        {std::vector<int>(8, C(0, 18)), Bytes(144, 0)},              // the densest: 17 bytes give 144
    };
    for (const auto& [items, expected] : cases) {
        EXPECT_EQ(LzDecode(stream(items), expected.size()).value(), expected) << items.size();
    }
}

TEST(LzDecode, CopiesAtEveryShortDistanceRepeatTheirPeriod) {
    // d distinct literals, then copies from d bytes back, long enough for the
    // fast path, whose word copies must not outrun what they read.
    for (unsigned d = 1; d <= 10; ++d) {
        std::vector<int> items;
        Bytes expected;
        for (unsigned n = 0; n < d + 20 * 17; ++n) {
            expected.push_back(static_cast<std::uint8_t>(0x30 + 7 * (n % d)));
            if (n < d) {
                items.push_back(expected.back());
            } else if ((n - d) % 17 == 0) {
                items.push_back(C(n - d, 17));
            }
        }
        EXPECT_EQ(LzDecode(stream(items), expected.size()).value(), expected) << "distance " << d;
    }
}

TEST(LzDecode, ACopyFromTheFarthestCellReadsTheByte4096Back) {
    // 4096 literals fill the ring; copies from the cell about to be
    // overwritten repeat them, in the fast path and near the end.
    std::vector<int> items;
    Bytes expected;
    for (unsigned k = 0; k < 4096; ++k) {
        expected.push_back(static_cast<std::uint8_t>(k * 7 + k / 256));
        items.push_back(expected.back());
    }
    for (unsigned n = 4096; n < 4096 + 20 * 18; n += 18) {
        items.push_back(C(n & 0xFFF, 18));
    }
    expected.insert(expected.end(), expected.begin(), expected.begin() + 20 * 18);
    EXPECT_EQ(LzDecode(stream(items), expected.size()).value(), expected);
    // Cell 4095 at output 4097 is two bytes back.
    items.resize(4096);
    items.insert(items.end(), {0xAB, C(4095, 4)});
    const Bytes out = LzDecode(stream(items), 4101).value();
    EXPECT_EQ(Bytes(out.begin() + 4097, out.end()), (Bytes{expected[4095], 0xAB, expected[4095], 0xAB}));
}

TEST(LzDecode, StopsExactlyAtTheSizeAndRefusesInputThatEndsFirst) {
    Bytes in = stream({'z', C(0, 18)});
    in.push_back(0xFF);  // flags beyond the end are never read
    EXPECT_EQ(LzDecode(in, 7).value(), Bytes(7, 'z'));
    EXPECT_EQ(LzDecode(in, 1).value(), Bytes(1, 'z'));
    EXPECT_TRUE(LzDecode({}, 0).value().empty());
    const Bytes three = stream({'z', C(0, 3)});
    const std::string damaged = "The entry's data is damaged.";
    for (std::size_t cut = 0; cut < three.size(); ++cut) {
        EXPECT_EQ(LzDecode(Bytes(three.begin(), three.begin() + static_cast<std::ptrdiff_t>(cut)), 4).error(),
                  damaged)
            << cut;
    }
    EXPECT_FALSE(LzDecode(three, 5).ok());
    EXPECT_EQ(LzDecode(three, 0xFFFFFF).error(), damaged) << "refused before any allocation";
    EXPECT_FALSE(LzDecode(stream(std::vector<int>(8, C(0, 18))), 145).ok());
}

}  // namespace
}  // namespace zorbel
