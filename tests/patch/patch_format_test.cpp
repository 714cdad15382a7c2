#include "patch/patch_format.h"

#include <gtest/gtest.h>

#include "base/crc32.h"
#include "tools/gamekit/patch_builder.h"

namespace zorbel {
namespace {

Bytes text(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

// BPS numbers: seven bits a byte, lowest first, the last byte marked, each
// further byte counting one more than its bits say.
using gamekit::bpsPatch;
using gamekit::ipsPatch;
using enum gamekit::BpsCommand;

const Bytes kSource = text("ABCDEFGHIJ" + std::string(190, '-') + "XYZ");

TEST(Bps, AppliesEveryCommandWithRelativeOffsetsBothWays) {
    const struct {
        const char* what;
        std::vector<gamekit::BpsStep> steps;
        std::string target;
        std::string meta = "";
    } cases[] = {
        {"reads at the output's place",
         {{SourceRead, 3}, {TargetRead, 2, 0, "xy"}, {SourceRead, 2}},
         "ABCxyFG"},
        {"source copies forward, back, and on from the last",
         {{SourceCopy, 3, 200}, {SourceCopy, 2, -202}, {SourceCopy, 2, 0}, {SourceCopy, 1, 4}},
         "XYZBCDEJ"},
        {"a target copy overlapping what it writes repeats a pattern",
         {{TargetRead, 3, 0, "abc"}, {TargetCopy, 8, 0}, {TargetCopy, 2, -7}, {TargetCopy, 3, 5}},
         "abcabcabcabbccab"},
        {"metadata is stepped over", {{SourceRead, 1}}, "A", std::string(200, 'm')},
    };
    for (const auto& c : cases) {
        const Bytes target = text(c.target);
        auto r = ApplyBpsPatch(bpsPatch(kSource, target, c.steps, c.meta), kSource);
        ASSERT_TRUE(r.ok()) << c.what << ": " << r.error();
        EXPECT_EQ(r.value(), target) << c.what;
    }
}

TEST(Bps, RefusesCommandsOutsideTheirBuffersAndTheWrongSource) {
    // Each target is what the commands would give if they were let through.
    const struct {
        std::vector<gamekit::BpsStep> steps;
        Bytes target;
    } bad[] = {
        {{{SourceRead, 4}, {SourceRead, 1}}, text("ABCD")},                  // beyond the target's size
        {{{SourceCopy, 2, -1}, {SourceRead, 2}}, text("?ACD")},              // before the source
        {{{SourceCopy, 2, 202}, {SourceRead, 2}}, Bytes{'Z', 0, 'C', 'D'}},  // past the source's end
        {{{SourceRead, 2}, {TargetCopy, 2, 2}}, {'A', 'B', 0, 0}},           // from the byte not yet written
        {{{SourceRead, 2}, {TargetCopy, 2, -1}}, text("AB?A")},              // before the target
        {{{SourceRead, 2}, {TargetRead, 2, 0, "C"}}, text("ABC?")},          // literal bytes cut short
        {{{SourceRead, 3}}, {'A', 'B', 'C', 0}},                             // short of the stated size
        {{{SourceRead, 4}}, text("ABCE")},                                   // another target checksum
    };
    for (std::size_t k = 0; k < std::size(bad); ++k) {
        EXPECT_EQ(ApplyBpsPatch(bpsPatch(kSource, bad[k].target, bad[k].steps), kSource).error(),
                  "The patch is damaged.")
            << k;
    }
    EXPECT_FALSE(ApplyBpsPatch(bpsPatch(text("AB"), text("ABCD"), {{SourceRead, 4}}), text("AB")).ok())
        << "a source read past the end of a short source";

    Bytes patch = bpsPatch(kSource, text("ABCD"), {{SourceRead, 4}});
    Bytes other = kSource;
    other[100] ^= 1;
    EXPECT_EQ(ApplyBpsPatch(patch, other).error(), "The patch was made for another file.");
    EXPECT_EQ(ApplyBpsPatch(patch, Bytes(kSource.begin(), kSource.end() - 1)).error(),
              "The patch was made for another file.");
    patch[7] ^= 1;  // a byte under the patch's own checksum
    EXPECT_EQ(ApplyBpsPatch(patch, kSource).error(), "The patch is damaged.");
    EXPECT_EQ(ApplyPatch(text("nope"), kSource).error(), "This is neither a BPS nor an IPS patch.");
    EXPECT_EQ(ApplyPatch(text("PATCH"), kSource).error(), "not an IPS patch");
}

TEST(Ips, AppliesRecordsRunsGrowthAndTruncation) {
    const Bytes source = text("0123456789");
    Bytes grown = text("01abc5678zzzzz");  // ... then zeros up to 0x012345
    grown.resize(0x012345, 0);
    grown.insert(grown.end(), {'q', 'q', 'q'});
    grown[0x00FFFF] = 'w';
    grown[0x010000] = 'v';
    const std::vector<Bytes> records = {{0, 0, 2, 0, 3, 'a', 'b', 'c'},
                                        {0, 0, 9, 0, 0, 0, 5, 'z'},
                                        {1, 0x23, 0x45, 0, 0, 0, 3, 'q'},
                                        {0, 0xFF, 0xFF, 0, 2, 'w', 'v'}};
    EXPECT_EQ(ApplyIpsPatch(ipsPatch(records), source).value(), grown);
    // A truncation after the end marker.
    EXPECT_EQ(ApplyIpsPatch(ipsPatch(records, {1, 0, 2}), source).value(),
              Bytes(grown.begin(), grown.begin() + 0x010002));
    EXPECT_EQ(ApplyIpsPatch(ipsPatch({}, {0, 0, 3}), source).value(), text("012"));
    Bytes run(0x0104, 'r');  // a run of 0x0102 bytes
    run[0] = '0';
    run[1] = '1';
    EXPECT_EQ(ApplyIpsPatch(ipsPatch({{0, 0, 2, 0, 0, 1, 2, 'r'}}), source).value(), run);

    const Bytes noEnd{'P', 'A', 'T', 'C', 'H', 0, 0, 1, 0, 1, 'x', 'E', 'O'};
    for (const Bytes& damaged : {noEnd, ipsPatch({{0, 0, 1, 0, 5, 'a', 'b'}}), ipsPatch({}, {0, 1})}) {
        EXPECT_EQ(ApplyIpsPatch(damaged, source).error(), "The patch is damaged.");
    }
    EXPECT_EQ(ApplyIpsPatch(text("NOT A PATCH"), source).error(), "not an IPS patch");
}

// Data that moved, was inserted, cut or repeated costs the BPS writer a few
// commands, not the bytes after the change: each bound is what the new bytes
// and a handful of commands take.
TEST(Bps, MovedInsertedCutAndRepeatedDataCostLittle) {
    Bytes noise(200000);
    std::uint64_t x = 12345;
    for (std::uint8_t& b : noise) {
        x = x * 6364136223846793005ull + 1442695040888963407ull;
        b = static_cast<std::uint8_t>(x >> 56);
    }
    const Bytes head(noise.begin(), noise.begin() + 100000);
    auto join = [](std::initializer_list<Bytes> parts) {
        Bytes out;
        for (const Bytes& p : parts) {
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    };
    auto part = [&](std::size_t from, std::size_t to) {
        return Bytes(head.begin() + static_cast<std::ptrdiff_t>(from),
                     head.begin() + static_cast<std::ptrdiff_t>(to));
    };
    const Bytes fresh(noise.begin() + 150000, noise.begin() + 151000);  // 1,000 bytes the source lacks
    Bytes edited = head;
    for (std::size_t k = 50; k < edited.size(); k += 1000) {
        edited[k] ^= 0xA5;
    }
    const struct {
        const char* what;
        Bytes target;
        std::size_t most;
    } cases[] = {
        {"1,000 bytes inserted at the front", join({fresh, head}), 1000 + 40},
        {"inserted in the middle", join({part(0, 40000), fresh, part(40000, 100000)}), 1000 + 40},
        {"5,000 bytes cut", join({part(0, 30000), part(35000, 100000)}), 40},
        {"two halves swapped", join({part(50000, 100000), part(0, 50000)}), 40},
        {"a block moved back and copied twice",
         join({part(0, 10000), part(70000, 80000), part(10000, 70000), part(70000, 80000),
               part(80000, 100000)}),
         60},
        {"1,000 bytes repeated from the target itself", join({fresh, fresh, fresh, fresh}), 1000 + 40},
        {"a byte repeated, copied onto itself", join({part(0, 10), Bytes(5000, 0x61)}), 40},
        {"edited in place every 1,000 bytes", edited, 100 * 4 + 40},
        {"edited, then 1,000 bytes inserted before the edits",
         join({fresh, Bytes(edited.begin(), edited.end())}), 1000 + 100 * 6 + 40},
        {"the last bytes moved before a window's length", join({part(99990, 100000), part(0, 99990)}), 60},
    };
    for (const auto& c : cases) {
        const Bytes patch = CreateBpsPatch(head, c.target);
        const auto applied = ApplyBpsPatch(patch, head);
        ASSERT_TRUE(applied.ok()) << c.what << ": " << applied.error();
        EXPECT_EQ(applied.value(), c.target) << c.what;
        EXPECT_LE(patch.size(), c.most) << c.what;
    }
    // A changed copy as other tools make them: edits, an insertion and a cut.
    const Bytes moved = gamekit::shiftedCopy(noise, 7);
    const Bytes patch = CreateBpsPatch(noise, moved);
    EXPECT_EQ(ApplyBpsPatch(patch, noise).value(), moved);
    EXPECT_LT(patch.size(), 2000u * 5 + 25000 + 100) << "2,000 edits and the 25,001 inserted bytes";
}

TEST(PatchFormats, IpsNeverWritesARecordAtTheEndMarker) {
    Bytes clean(0x454F46 + 100, 0);
    Bytes modified = clean;
    modified[0x454F46] = 7;
    const Bytes patch = CreateIpsPatch(clean, modified).value();
    EXPECT_EQ(patch, ipsPatch({{0x45, 0x4F, 0x45, 0, 2, 0, 7}})) << "starts one byte earlier";
    const std::size_t mib16 = 16u << 20;  // the offsets' 24 bits reach every byte of 16 MiB
    EXPECT_TRUE(CreateIpsPatch(Bytes(mib16, 0), Bytes(10, 0)).ok() &&
                CreateIpsPatch(Bytes(10, 0), Bytes(mib16, 1)).ok());
    EXPECT_FALSE(CreateIpsPatch(Bytes(mib16 + 1, 0), Bytes(10, 0)).ok() ||
                 CreateIpsPatch(Bytes(10, 0), Bytes(mib16 + 1, 0)).ok());
    // A change longer than a record holds: records of 65,535 bytes.
    Bytes before(80000, 1), after = before;
    std::fill(after.begin() + 5, after.begin() + 70005, 2);
    const Bytes split = CreateIpsPatch(before, after).value();
    EXPECT_EQ(Bytes(split.begin() + 5, split.begin() + 10), (Bytes{0, 0, 5, 0xFF, 0xFF}));
    EXPECT_EQ(ApplyIpsPatch(split, before).value(), after);
}

TEST(Crc32, KnownValue) {
    EXPECT_EQ(Crc32(text("123456789")), 0xCBF43926u);
    EXPECT_EQ(Crc32(kSource), gamekit::crc32(kSource));
}

}  // namespace
}  // namespace zorbel
