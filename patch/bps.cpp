#include <algorithm>
#include <bit>
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

std::size_t numberLength(std::uint64_t data) {
    std::size_t n = 1;
    while ((data >>= 7) != 0) {
        --data;
        ++n;
    }
    return n;
}

// A copy's move of its relative offset: the size, shifted, and the sign.
std::uint64_t relativeNumber(std::int64_t delta) {
    const auto magnitude = static_cast<std::uint64_t>(delta < 0 ? -delta : delta);
    return (magnitude << 1) | (delta < 0 ? 1 : 0);
}

std::uint64_t load64(const std::uint8_t* p) {
    std::uint64_t v = 0;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// How many bytes from a and b agree, up to `most`.
std::size_t matchLength(const std::uint8_t* a, const std::uint8_t* b, std::size_t most) {
    std::size_t n = 0;
    while (n + 8 <= most) {
        const std::uint64_t diff = load64(a + n) ^ load64(b + n);
        if (diff != 0) {
            return n + static_cast<std::size_t>(std::countr_zero(diff) / 8);
        }
        n += 8;
    }
    while (n < most && a[n] == b[n]) {
        ++n;
    }
    return n;
}

// Windows of 16 bytes that start every 8 bytes, by a hash of their bytes:
// every match of 23 bytes or more holds one whole window.
constexpr std::size_t kWindow = 16;
constexpr std::size_t kStep = 8;

std::uint32_t windowHash(const std::uint8_t* p) {
    std::uint64_t h = load64(p) * 0x9E3779B97F4A7C15ull ^ load64(p + 8) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    return static_cast<std::uint32_t>(h ^ (h >> 32));
}

// One position a bucket, the latest put there; positions are kept plus one,
// 0 for an empty bucket.
class WindowIndex {
  public:
    explicit WindowIndex(std::size_t size) {
        std::size_t buckets = 1024;
        while (buckets < 2 * (size / kStep)) {
            buckets *= 2;
        }
        slots_.assign(buckets, 0);
        mask_ = buckets - 1;
    }
    void put(const std::uint8_t* data, std::size_t at) {
        slots_[windowHash(data + at) & mask_] = static_cast<std::uint32_t>(at + 1);
    }
    std::optional<std::size_t> find(std::uint32_t hash) const {
        const std::uint32_t at = slots_[hash & mask_];
        return at == 0 ? std::nullopt : std::optional<std::size_t>(at - 1);
    }

  private:
    std::vector<std::uint32_t> slots_;
    std::size_t mask_ = 0;
};

// The target as commands: runs read from the source at their own place
// (what an executable edited in place is made of), runs copied from
// anywhere in the source or from the target written so far (moved,
// inserted and repeated data), and literal bytes between them. At each
// place the run that saves the most bytes is taken, greedily.
class BpsWriter {
  public:
    BpsWriter(ByteView source, ByteView target)
        : source_(source), target_(target), sourceIndex_(source.size()), targetIndex_(target.size()) {
        for (std::size_t at = 0; at + kWindow <= source.size(); at += kStep) {
            sourceIndex_.put(source.data(), at);
        }
    }

    void write(Bytes& out) {
        std::size_t i = 0;
        while (i < target_.size()) {
            const Run run = best(i);
            if (run.kind == TargetRead) {
                ++i;  // a literal byte
            } else {
                flushLiterals(out, run.from);
                emit(out, run);
                i = run.from + run.length;
            }
            indexTargetUpTo(i);
        }
        flushLiterals(out, target_.size());
    }

  private:
    struct Run {
        Command kind = TargetRead;
        std::size_t from = 0;  // where in the target it starts
        std::size_t at = 0;    // where it reads from: in the source, or in the target
        std::size_t length = 0;
        std::ptrdiff_t gain = 0;  // bytes saved against writing them as literals
    };

    void consider(Run& best, Run candidate) const {
        std::size_t cost = numberLength(((std::uint64_t{candidate.length} - 1) << 2) | candidate.kind);
        if (candidate.kind == SourceCopy) {
            cost += numberLength(relativeNumber(static_cast<std::int64_t>(candidate.at) - sourceCursor_));
        } else if (candidate.kind == TargetCopy) {
            cost += numberLength(relativeNumber(static_cast<std::int64_t>(candidate.at) - targetCursor_));
        }
        if (candidate.kind != SourceRead && inPlaceCosts(candidate.from, candidate.length, cost)) {
            return;  // the same bytes as reads in place and a few literals cost no more
        }
        // Ending a run of literals for it costs the next run's command.
        candidate.gain =
            static_cast<std::ptrdiff_t>(candidate.length) - static_cast<std::ptrdiff_t>(cost) - 1;
        if (candidate.gain > best.gain) {
            best = candidate;
        }
    }

    // Whether target bytes [from, from + length) cost at most `most` bytes
    // as reads of the source at their own place with literals between.
    bool inPlaceCosts(std::size_t from, std::size_t length, std::size_t most) const {
        if (from + length > source_.size()) {
            return false;
        }
        std::size_t cost = 0;
        std::size_t k = 0;
        while (k < length) {
            k += matchLength(source_.data() + from + k, target_.data() + from + k, length - k);
            if (k == length) {
                break;
            }
            std::size_t literals = 0;
            while (k < length && source_[from + k] != target_[from + k]) {
                ++k;
                ++literals;
            }
            cost += literals + 2;  // the literals, their command and the next read's
            if (cost > most) {
                return false;
            }
        }
        return true;
    }

    // A copy found by its window reaches back over literals not yet written.
    Run backwards(Run run, const std::uint8_t* from) const {
        while (run.from > pending_ && run.at > 0 && from[run.at - 1] == target_[run.from - 1]) {
            --run.from;
            --run.at;
            ++run.length;
        }
        return run;
    }

    // How many bytes of `from` at `at` agree with the target at `i`.
    std::size_t agree(ByteView from, std::size_t at, std::size_t i) const {
        return matchLength(from.data() + at, target_.data() + i,
                           std::min(target_.size() - i, from.size() - at));
    }

    Run best(std::size_t i) const {
        const std::size_t left = target_.size() - i;
        Run best;
        best.gain = 0;  // a run must save at least a byte
        if (i < source_.size()) {
            const std::size_t n = agree(source_, i, i);
            if (n > 0) {
                consider(best, {SourceRead, i, i, n, 0});
                if (n >= 64) {
                    return best;  // long enough: nothing found elsewhere would save more
                }
            }
        }
        // Where the last source copy goes on, past the literals since.
        const std::int64_t next = sourceCursor_ + static_cast<std::int64_t>(i - pending_);
        if (next >= 0 && static_cast<std::size_t>(next) < source_.size() &&
            static_cast<std::size_t>(next) != i) {
            const auto at = static_cast<std::size_t>(next);
            const std::size_t n = agree(source_, at, i);
            if (n > 0) {
                consider(best, {SourceCopy, i, at, n, 0});
            }
        }
        if (left < kWindow) {
            return best;
        }
        const std::uint32_t hash = windowHash(target_.data() + i);
        if (const auto at = sourceIndex_.find(hash); at && *at != i) {
            const std::size_t n = agree(source_, *at, i);
            if (n >= kWindow) {
                consider(best, backwards({SourceCopy, i, *at, n, 0}, source_.data()));
            }
        }
        if (const auto at = targetIndex_.find(hash); at && *at < i) {
            const std::size_t n = agree(target_, *at, i);
            if (n >= kWindow) {
                consider(best, backwards({TargetCopy, i, *at, n, 0}, target_.data()));
            }
        }
        return best;
    }

    void emit(Bytes& out, const Run& run) {
        command(out, run.kind, run.length);
        if (run.kind == SourceCopy || run.kind == TargetCopy) {
            std::int64_t& cursor = run.kind == SourceCopy ? sourceCursor_ : targetCursor_;
            putNumber(out, relativeNumber(static_cast<std::int64_t>(run.at) - cursor));
            cursor = static_cast<std::int64_t>(run.at + run.length);
        }
        pending_ = run.from + run.length;
    }

    void flushLiterals(Bytes& out, std::size_t upTo) {
        if (upTo > pending_) {
            command(out, TargetRead, upTo - pending_);
            out.insert(out.end(), target_.begin() + static_cast<std::ptrdiff_t>(pending_),
                       target_.begin() + static_cast<std::ptrdiff_t>(upTo));
            pending_ = upTo;
        }
    }

    // Windows of the target become copyable once they start before the
    // place being written.
    void indexTargetUpTo(std::size_t i) {
        while (indexed_ < i && indexed_ + kWindow <= target_.size()) {
            targetIndex_.put(target_.data(), indexed_);
            indexed_ += kStep;
        }
    }

    ByteView source_;
    ByteView target_;
    WindowIndex sourceIndex_;
    WindowIndex targetIndex_;
    std::size_t pending_ = 0;  // where the literals not yet written start
    std::int64_t sourceCursor_ = 0;
    std::int64_t targetCursor_ = 0;
    std::size_t indexed_ = 0;
};

}  // namespace

Bytes CreateBpsPatch(ByteView source, ByteView target) {
    Bytes out{'B', 'P', 'S', '1'};
    putNumber(out, source.size());
    putNumber(out, target.size());
    putNumber(out, 0);  // no metadata
    BpsWriter(source, target).write(out);
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
