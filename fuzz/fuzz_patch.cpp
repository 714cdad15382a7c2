// The patch readers on any input: bits 0-5 of the first byte give the
// source's size (0-63 bytes of a fixed pattern), the rest is the patch, BPS
// or IPS. With bit 6 set, a BPS patch whose header sizes take two bytes at
// most (so below 16.5 KB) gets its source and own CRCs put right, so that
// mutations reach its commands. IPS offsets and run lengths are cut to 12 bits, so that a target
// stays a few kilobytes. A target either reader makes is written again as
// both kinds of patch, which must give it back.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "base/crc32.h"
#include "patch/patch_format.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// Where the BPS number at `at` ends, when it takes at most two bytes.
std::size_t shortNumberEnd(const Bytes& patch, std::size_t at) {
    for (std::size_t k = at; k < at + 2 && k < patch.size(); ++k) {
        if ((patch[k] & 0x80) != 0) {
            return k + 1;
        }
    }
    return 0;
}

void restoreBpsCrcs(Bytes& patch, zorbel::ByteView source) {
    const std::size_t sourceEnd = shortNumberEnd(patch, 4);
    if (patch.size() < 4 + 3 + 12 || sourceEnd == 0 || shortNumberEnd(patch, sourceEnd) == 0) {
        return;
    }
    zorbel::storeU32(patch, patch.size() - 12, zorbel::Crc32(source));
    zorbel::storeU32(patch, patch.size() - 4, zorbel::Crc32(zorbel::ByteView(patch).first(patch.size() - 4)));
}

void cutIpsRecords(Bytes& patch) {
    std::size_t at = 5;
    while (patch.size() - at >= 3 && std::memcmp(patch.data() + at, "EOF", 3) != 0) {
        if (patch.size() - at < 5) {
            return;
        }
        patch[at] = 0;  // the 24-bit offset
        patch[at + 1] &= 0x0F;
        std::size_t size = patch[at + 3] << 8 | patch[at + 4];
        at += 5;
        if (size == 0) {  // a run: its 16-bit length, then the byte
            if (patch.size() - at < 3) {
                return;
            }
            patch[at] &= 0x0F;
            size = 3;
        }
        at += size;
        if (at > patch.size()) {
            return;
        }
    }
    if (patch.size() - at == 6) {  // the truncation size after the end marker
        patch[at + 3] = 0;
        patch[at + 4] &= 0x0F;
    }
}

void roundTrip(const zorbel::Result<Bytes>& made, zorbel::ByteView source) {
    if (!made.ok()) {
        return;
    }
    const Bytes& target = made.value();
    const auto bps = zorbel::ApplyBpsPatch(zorbel::CreateBpsPatch(source, target), source);
    const auto ips = zorbel::CreateIpsPatch(source, target);
    if (!bps.ok() || bps.value() != target || !ips.ok()) {
        __builtin_trap();
    }
    const auto back = zorbel::ApplyIpsPatch(ips.value(), source);
    if (!back.ok() || back.value() != target) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    Bytes source(data[0] & 0x3F);
    for (std::size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<std::uint8_t>(i * 7);
    }
    Bytes patch(data + 1, data + size);
    if (patch.size() >= 5 && std::memcmp(patch.data(), "PATCH", 5) == 0) {
        cutIpsRecords(patch);
    } else if ((data[0] & 0x40) != 0 && patch.size() >= 4 && std::memcmp(patch.data(), "BPS1", 4) == 0) {
        restoreBpsCrcs(patch, source);
    }
    roundTrip(zorbel::ApplyBpsPatch(patch, source), source);
    roundTrip(zorbel::ApplyIpsPatch(patch, source), source);
    return 0;
}
