#include "archive/lz_decoder.h"

#include <gtest/gtest.h>

#include "tools/gamekit/lz_encoder.h"
#include "tools/gamekit/random.h"

namespace zorbel {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A copy item: absolute ring position and length 3..18.
void copyItem(Bytes& out, unsigned position, unsigned length) {
    out.push_back(static_cast<std::uint8_t>(position & 0xFF));
    out.push_back(static_cast<std::uint8_t>(((position >> 8) & 0x0F) | ((length - 3) << 4)));
}

Bytes decode(const Bytes& in, std::size_t size) {
    auto r = LzDecode(in, size);
    EXPECT_TRUE(r.ok()) << r.error();
    return r.ok() ? r.value() : Bytes{};
}

TEST(LzDecode, LiteralsAndCopiesFollowTheFlagBits) {
    // 0xFF: eight literals; then 0x00: eight copies of ring cells 0-2.
    Bytes in{0xFF};
    for (std::uint8_t b = 'a'; b < 'a' + 8; ++b) {
        in.push_back(b);
    }
    in.push_back(0x00);
    for (int k = 0; k < 8; ++k) {
        copyItem(in, 0, 3);
    }
    Bytes expected{'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h'};
    for (int k = 0; k < 8; ++k) {
        expected.insert(expected.end(), {'a', 'b', 'c'});
    }
    EXPECT_EQ(decode(in, expected.size()), expected);
    // Lowest bit first: 0x05 is literal, copy, literal.
    Bytes mixed{0x05, 'p'};
    copyItem(mixed, 0, 3);
    mixed.push_back('q');
    EXPECT_EQ(decode(mixed, 5), (Bytes{'p', 'p', 'p', 'p', 'q'}));
}

TEST(LzDecode, PositionsAreAbsoluteInTheRing) {
    // Position r - 1 with length 18 repeats the last byte 18 times.
    Bytes in{0x01, 'q'};
    copyItem(in, 0, 18);
    EXPECT_EQ(decode(in, 19), Bytes(19, 'q'));
    // Cells never written read as zero, also part-way into a copy.
    Bytes zeros{0x00};
    copyItem(zeros, 100, 10);
    EXPECT_EQ(decode(zeros, 10), Bytes(10, 0));
    Bytes mixed{0x03, 'A', 'B'};
    copyItem(mixed, 4094, 6);  // cells 4094, 4095 unwritten, then 0 and 1 ('A', 'B'), then the copy itself
    EXPECT_EQ(decode(mixed, 8), (Bytes{'A', 'B', 0, 0, 'A', 'B', 0, 0}));
}

TEST(LzDecode, StopsExactlyAtTheSize) {
    Bytes in{0x01, 'z'};
    copyItem(in, 0, 18);
    in.push_back(0xFF);  // flags and data beyond the end are never read
    EXPECT_EQ(decode(in, 7), Bytes(7, 'z'));
    EXPECT_EQ(decode(in, 1), Bytes(1, 'z'));
    EXPECT_TRUE(decode({}, 0).empty());
}

TEST(LzDecode, InputThatEndsEarlyIsDamaged) {
    Bytes in{0x01, 'z'};
    copyItem(in, 0, 3);
    for (std::size_t cut = 0; cut < in.size(); ++cut) {
        auto r = LzDecode(Bytes(in.begin(), in.begin() + static_cast<std::ptrdiff_t>(cut)), 4);
        ASSERT_FALSE(r.ok()) << cut;
        EXPECT_EQ(r.error(), kDamagedEntryReason);
    }
    EXPECT_FALSE(LzDecode(in, 5).ok());
    // A size no input of that length can reach: refused before any allocation.
    EXPECT_EQ(LzDecode(in, 0xFFFFFF).error(), kDamagedEntryReason);
}

TEST(LzDecode, RoundTripsTheKitEncoder) {
    gamekit::Random rng(7);
    std::vector<Bytes> samples;
    Bytes random(70000);
    for (auto& b : random) {
        b = rng.byte();
    }
    samples.push_back(random);
    Bytes repetitive;
    for (int i = 0; i < 50000; ++i) {
        repetitive.push_back(static_cast<std::uint8_t>("Footman Grunt Peasant "[i % 22]));
    }
    samples.push_back(repetitive);
    Bytes runs;
    while (runs.size() < 30000) {
        runs.insert(runs.end(), rng.below(40) + 1, rng.byte());
        for (unsigned k = rng.below(6); k > 0; --k) {
            runs.push_back(rng.byte());
        }
    }
    samples.push_back(runs);
    samples.push_back(Bytes(5000, 0));
    for (std::size_t s = 0; s < samples.size(); ++s) {
        const Bytes packed = gamekit::lzEncode(samples[s]);
        EXPECT_EQ(decode(packed, samples[s].size()), samples[s]) << "sample " << s;
        // Every shorter size is a prefix.
        EXPECT_EQ(decode(packed, 4097), Bytes(samples[s].begin(), samples[s].begin() + 4097))
            << "sample " << s;
    }
    EXPECT_LT(gamekit::lzEncode(repetitive).size(), repetitive.size() / 5);
}

}  // namespace
}  // namespace zorbel
