#include <algorithm>
#include <cstring>

#include "patch/patch_format.h"

namespace zorbel {

namespace {

constexpr std::uint32_t kEofOffset = 0x454F46;  // reads as "EOF"
constexpr std::size_t kMaxRecord = 0xFFFF;
constexpr const char* kDamaged = "The patch is damaged.";

void put24(Bytes& out, std::size_t v) {
    out.push_back(static_cast<std::uint8_t>(v >> 16));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

bool differs(ByteView source, ByteView target, std::size_t i) {
    return i >= source.size() || source[i] != target[i];
}

}  // namespace

Result<Bytes> CreateIpsPatch(ByteView source, ByteView target) {
    if (source.size() > kIpsLimit || target.size() > kIpsLimit) {
        return Result<Bytes>::failure("IPS patches hold files of at most 16 MiB; use a .bps patch name.");
    }
    Bytes out{'P', 'A', 'T', 'C', 'H'};
    std::size_t i = 0;
    while (i < target.size()) {
        if (!differs(source, target, i)) {
            ++i;
            continue;
        }
        // A record may not start at the offset that reads as the end marker:
        // it then starts one byte earlier.
        std::size_t start = i == kEofOffset ? i - 1 : i;
        std::size_t end = i;
        while (end < target.size() && end - start < kMaxRecord) {
            if (differs(source, target, end)) {
                ++end;
                continue;
            }
            // Short unchanged gaps cost less inside the record than a new header.
            std::size_t gap = end;
            while (gap < target.size() && gap - end < 5 && !differs(source, target, gap)) {
                ++gap;
            }
            if (gap - end >= 5 || gap == target.size() || gap - start > kMaxRecord) {
                break;
            }
            end = gap;
        }
        put24(out, start);
        out.push_back(static_cast<std::uint8_t>((end - start) >> 8));
        out.push_back(static_cast<std::uint8_t>(end - start));
        out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(start),
                   target.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
    }
    out.insert(out.end(), {'E', 'O', 'F'});
    if (target.size() < source.size()) {
        put24(out, target.size());  // truncation
    }
    return out;
}

Result<Bytes> ApplyIpsPatch(ByteView patch, ByteView source) {
    using R = Result<Bytes>;
    if (patch.size() < 8 || std::memcmp(patch.data(), "PATCH", 5) != 0) {
        return R::failure("not an IPS patch");
    }
    if (source.size() > kIpsLimit) {
        return R::failure("IPS patches hold files of at most 16 MiB.");
    }
    Bytes out(source.begin(), source.end());
    std::size_t at = 5;
    auto byteAt = [&](std::size_t k) { return static_cast<std::size_t>(patch[k]); };
    for (;;) {
        if (patch.size() - at < 3) {
            return R::failure(kDamaged);  // no end marker
        }
        if (std::memcmp(patch.data() + at, "EOF", 3) == 0) {
            at += 3;
            if (patch.size() - at == 3) {
                const std::size_t size = byteAt(at) << 16 | byteAt(at + 1) << 8 | byteAt(at + 2);
                out.resize(size);
            } else if (at != patch.size()) {
                return R::failure(kDamaged);
            }
            return out;
        }
        if (patch.size() - at < 5) {
            return R::failure(kDamaged);
        }
        const std::size_t offset = byteAt(at) << 16 | byteAt(at + 1) << 8 | byteAt(at + 2);
        std::size_t size = byteAt(at + 3) << 8 | byteAt(at + 4);
        at += 5;
        const std::uint8_t* data = nullptr;
        std::uint8_t fill = 0;
        if (size == 0) {  // a run of one byte
            if (patch.size() - at < 3) {
                return R::failure(kDamaged);
            }
            size = byteAt(at) << 8 | byteAt(at + 1);
            fill = patch[at + 2];
            at += 3;
        } else {
            if (patch.size() - at < size) {
                return R::failure(kDamaged);
            }
            data = patch.data() + at;
            at += size;
        }
        if (offset + size > out.size()) {
            out.resize(offset + size, 0);
        }
        if (data != nullptr) {
            std::memcpy(out.data() + offset, data, size);
        } else {
            std::fill_n(out.begin() + static_cast<std::ptrdiff_t>(offset), size, fill);
        }
    }
}

Result<Bytes> ApplyPatch(ByteView patch, ByteView source) {
    if (patch.size() >= 5 && std::memcmp(patch.data(), "PATCH", 5) == 0) {
        return ApplyIpsPatch(patch, source);
    }
    if (patch.size() >= 4 && std::memcmp(patch.data(), "BPS1", 4) == 0) {
        return ApplyBpsPatch(patch, source);
    }
    return Result<Bytes>::failure("This is neither a BPS nor an IPS patch.");
}

}  // namespace zorbel
