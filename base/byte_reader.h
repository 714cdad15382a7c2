#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace zorbel {

using ByteView = std::span<const std::uint8_t>;
using MutableByteView = std::span<std::uint8_t>;

// Whether [offset, offset + length) lies inside a buffer of `size` bytes.
// Offsets come from files and may be anything, so the sum is formed wide.
constexpr bool fitsIn(std::uint64_t size, std::uint64_t offset, std::uint64_t length) {
    return offset <= size && length <= size - offset;
}

// Little-endian field access at a checked offset: nothing is read outside the
// buffer; a field that does not lie wholly inside it is absent.
inline std::optional<std::uint8_t> loadU8(ByteView data, std::uint64_t offset) {
    if (!fitsIn(data.size(), offset, 1)) {
        return std::nullopt;
    }
    return data[static_cast<std::size_t>(offset)];
}

inline std::optional<std::uint16_t> loadU16(ByteView data, std::uint64_t offset) {
    if (!fitsIn(data.size(), offset, 2)) {
        return std::nullopt;
    }
    auto at = static_cast<std::size_t>(offset);
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

inline std::optional<std::uint32_t> loadU32(ByteView data, std::uint64_t offset) {
    if (!fitsIn(data.size(), offset, 4)) {
        return std::nullopt;
    }
    auto at = static_cast<std::size_t>(offset);
    return static_cast<std::uint32_t>(data[at]) | (static_cast<std::uint32_t>(data[at + 1]) << 8) |
           (static_cast<std::uint32_t>(data[at + 2]) << 16) |
           (static_cast<std::uint32_t>(data[at + 3]) << 24);
}

inline void storeU16(MutableByteView out, std::size_t at, std::uint16_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

inline void storeU32(MutableByteView out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A cursor over a byte span that knows how much is left. Every read checks the
// remaining length first; after a failed read the reader stays failed.
class ByteReader {
  public:
    explicit ByteReader(ByteView data, std::size_t position = 0)
        : data_(data), pos_(position), ok_(position <= data.size()) {}

    std::size_t position() const { return pos_; }
    std::size_t remaining() const { return ok_ ? data_.size() - pos_ : 0; }
    bool ok() const { return ok_; }

    std::optional<std::uint8_t> u8() { return take<std::uint8_t>(1, loadU8); }
    std::optional<std::uint16_t> u16() { return take<std::uint16_t>(2, loadU16); }
    std::optional<std::uint32_t> u32() { return take<std::uint32_t>(4, loadU32); }
    std::optional<std::int16_t> i16() {
        auto v = u16();
        if (!v) {
            return std::nullopt;
        }
        return static_cast<std::int16_t>(*v);
    }
    bool skip(std::size_t count) {
        if (!ok_ || count > remaining()) {
            ok_ = false;
            return false;
        }
        pos_ += count;
        return true;
    }

  private:
    template <class T, class Load>
    std::optional<T> take(std::size_t width, Load load) {
        if (!ok_) {
            return std::nullopt;
        }
        auto v = load(data_, pos_);
        if (!v) {
            ok_ = false;
            return std::nullopt;
        }
        pos_ += width;
        return static_cast<T>(*v);
    }

    ByteView data_;
    std::size_t pos_;
    bool ok_;
};

}  // namespace zorbel
