#include "tools/gamekit/lz_encoder.h"

#include <algorithm>

namespace gamekit {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 18;
constexpr int kChainLimit = 48;
constexpr std::size_t kHashSize = 1 << 14;

std::size_t hash3(const std::uint8_t* p) {
    return ((p[0] << 10) ^ (p[1] << 5) ^ p[2]) & (kHashSize - 1);
}

// Collects items eight to a flag byte, lowest bit first.
class GroupWriter {
  public:
    explicit GroupWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void literal(std::uint8_t b) {
        begin();
        out_[flagAt_] |= static_cast<std::uint8_t>(1u << items_);
        out_.push_back(b);
        ++items_;
    }
    void copy(std::size_t position, std::size_t length) {
        begin();
        out_.push_back(static_cast<std::uint8_t>(position & 0xFF));
        out_.push_back(static_cast<std::uint8_t>(((position >> 8) & 0x0F) | ((length - kMinMatch) << 4)));
        ++items_;
    }

  private:
    void begin() {
        if (!started_ || items_ == 8) {
            flagAt_ = out_.size();
            out_.push_back(0);
            items_ = 0;
            started_ = true;
        }
    }
    std::vector<std::uint8_t>& out_;
    std::size_t flagAt_ = 0;
    int items_ = 0;
    bool started_ = false;
};

}  // namespace

std::vector<std::uint8_t> lzEncode(zorbel::ByteView data) {
    std::vector<std::uint8_t> out;
    GroupWriter writer(out);
    std::vector<std::int64_t> head(kHashSize, -1);
    std::vector<std::int64_t> prev(data.size(), -1);
    auto insert = [&](std::size_t at) {
        if (at + kMinMatch <= data.size()) {
            const std::size_t h = hash3(&data[at]);
            prev[at] = head[h];
            head[h] = static_cast<std::int64_t>(at);
        }
    };
    std::size_t n = 0;
    while (n < data.size()) {
        std::size_t bestLength = 0;
        std::size_t bestFrom = 0;
        if (n + kMinMatch <= data.size()) {
            const std::size_t limit = std::min(kMaxMatch, data.size() - n);
            int chain = 0;
            for (std::int64_t c = head[hash3(&data[n])]; c >= 0 && chain < kChainLimit;
                 c = prev[c], ++chain) {
                const auto from = static_cast<std::size_t>(c);
                if (n - from > kWindow) {
                    break;
                }
                std::size_t length = 0;
                while (length < limit && data[from + length] == data[n + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestFrom = from;
                }
            }
        }
        if (bestLength >= kMinMatch) {
            writer.copy(bestFrom & (kWindow - 1), bestLength);
            for (std::size_t k = 0; k < bestLength; ++k) {
                insert(n + k);
            }
            n += bestLength;
        } else {
            writer.literal(data[n]);
            insert(n);
            ++n;
        }
    }
    return out;
}

int lzCopy(unsigned ringPosition, unsigned length) {
    return -static_cast<int>(ringPosition << 5 | length);
}

std::vector<std::uint8_t> lzStream(const std::vector<int>& items) {
    std::vector<std::uint8_t> out;
    GroupWriter writer(out);
    for (int item : items) {
        if (item >= 0) {
            writer.literal(static_cast<std::uint8_t>(item));
        } else {
            const auto copy = static_cast<unsigned>(-item);
            writer.copy(copy >> 5, copy & 31);
        }
    }
    return out;
}

}  // namespace gamekit
