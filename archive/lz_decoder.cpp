#include "archive/lz_decoder.h"

#include <cstring>

namespace zorbel {

namespace {

constexpr std::size_t kRing = 4096;
constexpr std::size_t kMaxCopy = 18;
// Room for the fast path's whole-word copies past the end of a copy.
constexpr std::size_t kSlack = 32;
// One flag byte and eight two-byte copies: the most one group can take and give.
constexpr std::size_t kGroupInput = 1 + 8 * 2;
constexpr std::size_t kGroupOutput = 8 * kMaxCopy;

// Ring cell p holds the latest output byte whose index is congruent to p
// modulo 4096, so a copy from p at output index n reads n - d, with d the
// distance (n - p) mod 4096 in 1..4096; cells never written read as zero.
inline std::size_t distanceFor(std::size_t n, std::size_t position) {
    const std::size_t d = (n - position) & (kRing - 1);
    return d == 0 ? kRing : d;
}

// A copy that may start before the first output byte or stop at `size`.
inline std::size_t carefulCopy(std::uint8_t* out, std::size_t n, std::size_t d, std::size_t length,
                               std::size_t size) {
    for (std::size_t k = 0; k < length && n < size; ++k, ++n) {
        out[n] = n >= d ? out[n - d] : 0;
    }
    return n;
}

inline void fastCopy(std::uint8_t* out, std::size_t n, std::size_t d, std::size_t length) {
    std::uint8_t* dst = out + n;
    const std::uint8_t* src = dst - d;
    if (d >= 8) {
        // Word copies: each reads bytes written at least 8 bytes earlier.
        for (std::size_t k = 0; k < length; k += 8) {
            std::uint64_t word;
            std::memcpy(&word, src + k, 8);
            std::memcpy(dst + k, &word, 8);
        }
    } else if (d == 1) {
        std::memset(dst, *src, length);  // a run of one byte
    } else {
        for (std::size_t k = 0; k < length; ++k) {
            dst[k] = src[k];
        }
    }
}

}  // namespace

Result<std::vector<std::uint8_t>> LzDecode(ByteView input, std::size_t size) {
    // Two input bytes give at most 18 output bytes, so a size out of reach of
    // the input is damage, found before any memory is taken for it.
    if (size / 9 > input.size()) {
        return Result<std::vector<std::uint8_t>>::failure(kDamagedEntryReason);
    }
    std::vector<std::uint8_t> output(size + kSlack);
    std::uint8_t* out = output.data();
    const std::uint8_t* in = input.data();
    const std::size_t inSize = input.size();
    std::size_t n = 0;
    std::size_t ip = 0;

    while (n < size) {
        if (inSize - ip >= kGroupInput && size - n >= kGroupOutput) {
            unsigned flags = in[ip++];
            if (flags == 0xFF) {  // eight literals
                std::memcpy(out + n, in + ip, 8);
                n += 8;
                ip += 8;
                continue;
            }
            for (int item = 0; item < 8; ++item, flags >>= 1) {
                if ((flags & 1u) != 0) {
                    out[n++] = in[ip++];
                    continue;
                }
                const unsigned lo = in[ip];
                const unsigned hi = in[ip + 1];
                ip += 2;
                const std::size_t length = (hi >> 4) + 3;
                const std::size_t d = distanceFor(n, lo | ((hi & 0x0Fu) << 8));
                if (n >= d) {
                    fastCopy(out, n, d, length);
                    n += length;
                } else {
                    n = carefulCopy(out, n, d, length, size);
                }
            }
            continue;
        }
        // Near either end: every byte checked.
        if (ip >= inSize) {
            return Result<std::vector<std::uint8_t>>::failure(kDamagedEntryReason);
        }
        unsigned flags = in[ip++];
        for (int item = 0; item < 8 && n < size; ++item, flags >>= 1) {
            if ((flags & 1u) != 0) {
                if (ip >= inSize) {
                    return Result<std::vector<std::uint8_t>>::failure(kDamagedEntryReason);
                }
                out[n++] = in[ip++];
                continue;
            }
            if (inSize - ip < 2) {
                return Result<std::vector<std::uint8_t>>::failure(kDamagedEntryReason);
            }
            const unsigned lo = in[ip];
            const unsigned hi = in[ip + 1];
            ip += 2;
            n = carefulCopy(out, n, distanceFor(n, lo | ((hi & 0x0Fu) << 8)), (hi >> 4) + 3, size);
        }
    }
    output.resize(size);
    return output;
}

}  // namespace zorbel
