#include "tools/gamekit/patch_builder.h"

#include <algorithm>

#include "tools/gamekit/random.h"

namespace gamekit {

namespace {

void number(std::vector<std::uint8_t>& out, std::uint64_t v) {
    for (;; --v) {
        const auto x = static_cast<std::uint8_t>(v & 0x7F);
        v >>= 7;
        if (v == 0) {
            out.push_back(0x80 | x);
            return;
        }
        out.push_back(x);
    }
}

}  // namespace

std::uint32_t crc32(const std::vector<std::uint8_t>& data) {
    std::uint32_t crc = 0xFFFFFFFF;
    for (std::uint8_t b : data) {
        crc ^= b;
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ ((crc & 1) ? 0xEDB88320u : 0);
        }
    }
    return ~crc;
}

std::vector<std::uint8_t> bpsPatch(const std::vector<std::uint8_t>& source,
                                   const std::vector<std::uint8_t>& target, const std::vector<BpsStep>& steps,
                                   const std::string& metadata) {
    std::vector<std::uint8_t> out{'B', 'P', 'S', '1'};
    number(out, source.size());
    number(out, target.size());
    number(out, metadata.size());
    out.insert(out.end(), metadata.begin(), metadata.end());
    for (const BpsStep& s : steps) {
        number(out, ((s.length - 1) << 2) | s.command);
        if (s.command == TargetRead) {
            out.insert(out.end(), s.bytes.begin(), s.bytes.end());
        } else if (s.command != SourceRead) {
            const auto magnitude = static_cast<std::uint64_t>(s.delta < 0 ? -s.delta : s.delta);
            number(out, (magnitude << 1) | (s.delta < 0 ? 1 : 0));
        }
    }
    for (int k = 0; k < 3; ++k) {
        const std::uint32_t crc = crc32(k == 0 ? source : k == 1 ? target : out);
        for (int i = 0; i < 4; ++i) {
            out.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
        }
    }
    return out;
}

std::vector<std::uint8_t> ipsPatch(const std::vector<std::vector<std::uint8_t>>& records,
                                   const std::vector<std::uint8_t>& tail) {
    std::vector<std::uint8_t> out{'P', 'A', 'T', 'C', 'H'};
    for (const auto& r : records) {
        out.insert(out.end(), r.begin(), r.end());
    }
    out.insert(out.end(), {'E', 'O', 'F'});
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

std::vector<std::uint8_t> shiftedCopy(const std::vector<std::uint8_t>& data, std::uint64_t seed) {
    Random rng(seed);
    std::vector<std::uint8_t> out = data;
    const auto size = static_cast<std::uint32_t>(out.size());
    for (std::uint32_t k = 0; k < size / 100; ++k) {
        out[rng.below(size)] = rng.byte();
    }
    const std::size_t mid = out.size() / 2;
    std::vector<std::uint8_t> block(std::min<std::size_t>(64 * 1024, out.size() / 8 + 1));
    for (std::uint8_t& b : block) {
        b = rng.byte();
    }
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(mid), block.begin(), block.end());
    const std::size_t cut = mid + block.size() + out.size() / 5;
    const std::size_t gone = std::min<std::size_t>(32 * 1024, (out.size() - cut) / 2);
    out.erase(out.begin() + static_cast<std::ptrdiff_t>(cut),
              out.begin() + static_cast<std::ptrdiff_t>(cut + gone));
    return out;
}

}  // namespace gamekit
