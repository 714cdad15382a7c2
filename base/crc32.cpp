#include "base/crc32.h"

#include <array>

namespace zorbel {

namespace {

// Eight tables, so that eight bytes are folded in per step.
constexpr std::array<std::array<std::uint32_t, 256>, 8> makeTables() {
    std::array<std::array<std::uint32_t, 256>, 8> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) {
            c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        }
        t[0][n] = c;
    }
    for (std::uint32_t n = 0; n < 256; ++n) {
        for (std::size_t k = 1; k < 8; ++k) {
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
        }
    }
    return t;
}

constexpr auto kTables = makeTables();

}  // namespace

std::uint32_t Crc32(ByteView data) {
    std::uint32_t c = 0xFFFFFFFFu;
    std::size_t i = 0;
    for (; i + 8 <= data.size(); i += 8) {
        const std::uint32_t lo = c ^ (data[i] | data[i + 1] << 8 | data[i + 2] << 16 |
                                      static_cast<std::uint32_t>(data[i + 3]) << 24);
        c = kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
            kTables[4][lo >> 24] ^ kTables[3][data[i + 4]] ^ kTables[2][data[i + 5]] ^
            kTables[1][data[i + 6]] ^ kTables[0][data[i + 7]];
    }
    for (; i < data.size(); ++i) {
        c = kTables[0][(c ^ data[i]) & 0xFF] ^ (c >> 8);
    }
    return c ^ 0xFFFFFFFFu;
}

}  // namespace zorbel
