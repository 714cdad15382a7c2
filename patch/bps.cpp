#include <cstring>
#include <limits>

#include "base/crc32.h"
#include "patch/patch_format.h"

namespace zorbel {

namespace {

constexpr std::uint64_t kMaxTarget = 256ull << 20;
constexpr const char* kDamaged = "The patch is damaged.";
constexpr const char* kOtherSource = "The patch was made for another file.";

enum Command : std::uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

void putNumber(Bytes& out, std::uint64_t data) {
    for (;;) {
        const auto x = static_cast<std::uint8_t>(data & 0x7F);
        data >>= 7;
        if (data == 0) {
            out.push_back(0x80 | x);
            return;
        }
        out.push_back(x);
        --data;
    }
}

void putU32(Bytes& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

void command(Bytes& out, Command c, std::size_t length) {
    putNumber(out, ((std::uint64_t{length} - 1) << 2) | c);
}

// Reads BPS numbers from a bounded region, refusing ones that overflow.
class NumberReader {
  public:
    NumberReader(ByteView data, std::size_t end) : data_(data), end_(end) {}
    std::optional<std::uint64_t> number() {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (int bytes = 0; bytes < 10; ++bytes) {
            if (at_ >= end_) {
                return std::nullopt;
            }
            const std::uint8_t x = data_[at_++];
            value += (x & 0x7Fu) * shift;
            if ((x & 0x80) != 0) {
                return value;
            }
            shift <<= 7;
            value += shift;
        }
        return std::nullopt;  // longer than any 64-bit number
    }
    bool take(std::size_t n, const std::uint8_t*& bytes) {
        if (end_ - at_ < n) {
            return false;
        }
        bytes = data_.data() + at_;
        at_ += n;
        return true;
    }
    std::size_t at() const { return at_; }
    void seek(std::size_t at) { at_ = at; }

  private:
    ByteView data_;
    std::size_t end_;
    std::size_t at_ = 0;
};

bool same(ByteView source, ByteView target, std::size_t i) {
    return i < source.size() && source[i] == target[i];
}

}  // namespace

Bytes CreateBpsPatch(ByteView source, ByteView target) {
    Bytes out{'B', 'P', 'S', '1'};
    putNumber(out, source.size());
    putNumber(out, target.size());
    putNumber(out, 0);  // no metadata
    std::size_t i = 0;
    while (i < target.size()) {
        if (same(source, target, i)) {
            std::size_t j = i;
            while (j < target.size() && same(source, target, j)) {
                ++j;
            }
            command(out, SourceRead, j - i);
            i = j;
            continue;
        }
        // Literal bytes up to the next unchanged run long enough to be worth
        // a command of its own.
        std::size_t j = i;
        while (j < target.size()) {
            if (same(source, target, j)) {
                std::size_t k = j;
                while (k < target.size() && k - j < 3 && same(source, target, k)) {
                    ++k;
                }
                if (k - j >= 3 || k == target.size()) {
                    break;
                }
            }
            ++j;
        }
        command(out, TargetRead, j - i);
        out.insert(out.end(), target.begin() + static_cast<std::ptrdiff_t>(i),
                   target.begin() + static_cast<std::ptrdiff_t>(j));
        i = j;
    }
    putU32(out, Crc32(source));
    putU32(out, Crc32(target));
    putU32(out, Crc32(out));
    return out;
}

Result<Bytes> ApplyBpsPatch(ByteView patch, ByteView source) {
    using R = Result<Bytes>;
    if (patch.size() < 4 + 3 + 12 || std::memcmp(patch.data(), "BPS1", 4) != 0) {
        return R::failure("not a BPS patch");
    }
    const std::size_t footer = patch.size() - 12;
    if (Crc32(patch.first(patch.size() - 4)) != *loadU32(patch, patch.size() - 4)) {
        return R::failure(kDamaged);
    }
    NumberReader in(patch, footer);
    in.seek(4);
    const auto sourceSize = in.number();
    const auto targetSize = in.number();
    const auto metadata = in.number();
    const std::uint8_t* skipped = nullptr;
    if (!sourceSize || !targetSize || !metadata || *targetSize > kMaxTarget ||
        *metadata > std::numeric_limits<std::size_t>::max() ||
        !in.take(static_cast<std::size_t>(*metadata), skipped)) {
        return R::failure(kDamaged);
    }
    if (*sourceSize != source.size() || Crc32(source) != *loadU32(patch, footer)) {
        return R::failure(kOtherSource);
    }
    Bytes target(static_cast<std::size_t>(*targetSize));
    std::size_t out = 0;
    std::int64_t sourceRelative = 0;
    std::int64_t targetRelative = 0;
    while (in.at() < footer) {
        const auto data = in.number();
        if (!data) {
            return R::failure(kDamaged);
        }
        const std::uint64_t length = (*data >> 2) + 1;
        if (length > target.size() - out) {
            return R::failure(kDamaged);
        }
        const auto n = static_cast<std::size_t>(length);
        switch (*data & 3) {
            case SourceRead:
                if (out + n > source.size()) {
                    return R::failure(kDamaged);
                }
                std::memcpy(target.data() + out, source.data() + out, n);
                break;
            case TargetRead: {
                const std::uint8_t* bytes = nullptr;
                if (!in.take(n, bytes)) {
                    return R::failure(kDamaged);
                }
                std::memcpy(target.data() + out, bytes, n);
                break;
            }
            default: {
                const auto delta = in.number();
                if (!delta || (*delta >> 1) > kMaxTarget) {
                    return R::failure(kDamaged);
                }
                const auto step = static_cast<std::int64_t>(*delta >> 1) * ((*delta & 1) != 0 ? -1 : 1);
                if ((*data & 3) == SourceCopy) {
                    sourceRelative += step;
                    if (sourceRelative < 0 ||
                        static_cast<std::uint64_t>(sourceRelative) + n > source.size()) {
                        return R::failure(kDamaged);
                    }
                    std::memcpy(target.data() + out, source.data() + sourceRelative, n);
                    sourceRelative += static_cast<std::int64_t>(n);
                } else {
                    targetRelative += step;
                    if (targetRelative < 0 || static_cast<std::uint64_t>(targetRelative) >= out) {
                        return R::failure(kDamaged);
                    }
                    for (std::size_t k = 0; k < n; ++k) {  // may overlap what it writes
                        target[out + k] = target[static_cast<std::size_t>(targetRelative) + k];
                    }
                    targetRelative += static_cast<std::int64_t>(n);
                }
            }
        }
        out += n;
    }
    if (out != target.size() || Crc32(target) != *loadU32(patch, footer + 4)) {
        return R::failure(kDamaged);
    }
    return target;
}

}  // namespace zorbel
