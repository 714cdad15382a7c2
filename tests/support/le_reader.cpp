#include "tests/support/le_reader.h"

#include <stdexcept>

namespace testsupport {

namespace {

class Cursor {
  public:
    Cursor(const std::vector<std::uint8_t>& file, std::size_t at) : f_(file), at_(at) {}
    std::uint32_t get(int width) {
        if (at_ + static_cast<std::size_t>(width) > f_.size()) {
            throw std::runtime_error("read past the end of the file at " + std::to_string(at_));
        }
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i) {
            v |= static_cast<std::uint32_t>(f_[at_++]) << (8 * i);
        }
        return v;
    }
    std::size_t at() const { return at_; }

  private:
    const std::vector<std::uint8_t>& f_;
    std::size_t at_;
};

std::uint32_t u32(const std::vector<std::uint8_t>& f, std::size_t at) {
    return Cursor(f, at).get(4);
}

}  // namespace

LeModule readLeModule(const std::vector<std::uint8_t>& file) {
    if (file.size() < 0x40 || file[0] != 'M' || file[1] != 'Z') {
        throw std::runtime_error("no MZ header");
    }
    LeModule m;
    const std::uint32_t h = u32(file, 0x3C);
    m.headerOffset = h;
    if (Cursor(file, h).get(2) != 0x454C) {
        throw std::runtime_error("no LE signature");
    }
    m.pageCount = u32(file, h + 0x14);
    m.pageSize = u32(file, h + 0x28);
    m.lastPageSize = u32(file, h + 0x2C);
    const std::uint32_t objectTable = h + u32(file, h + 0x40);
    const std::uint32_t objectCount = u32(file, h + 0x44);
    const std::uint32_t pageMap = h + u32(file, h + 0x48);
    m.fixupPageTable = h + u32(file, h + 0x68);
    m.fixupRecordTable = h + u32(file, h + 0x6C);
    m.importModules = h + u32(file, h + 0x70);
    m.dataPages = u32(file, h + 0x80);

    for (std::uint32_t o = 0; o < objectCount; ++o) {
        Cursor c(file, objectTable + 24 * o);
        LeObject obj{};
        obj.virtualSize = c.get(4);
        obj.base = c.get(4);
        obj.flags = c.get(4);
        obj.firstPage = c.get(4);
        obj.pageCount = c.get(4);
        m.objects.push_back(obj);
    }
    for (std::uint32_t p = 0; p < m.pageCount; ++p) {
        Cursor c(file, pageMap + 4 * p);
        const std::uint32_t hi = c.get(1), mid = c.get(1), lo = c.get(1);
        m.pageNumbers.push_back((hi << 16) | (mid << 8) | lo);
    }
    for (std::uint32_t p = 0; p <= m.pageCount; ++p) {
        m.fixupPageEntries.push_back(u32(file, m.fixupPageTable + 4 * p));
    }

    for (std::uint32_t p = 0; p < m.pageCount; ++p) {
        const std::size_t end = m.fixupRecordTable + m.fixupPageEntries[p + 1];
        Cursor c(file, m.fixupRecordTable + m.fixupPageEntries[p]);
        while (c.at() < end) {
            LeFixup fx{};
            fx.page = p;
            fx.recordOffset = c.at();
            fx.sourceType = static_cast<std::uint8_t>(c.get(1));
            fx.targetFlags = static_cast<std::uint8_t>(c.get(1));
            if ((fx.targetFlags & 0x03) != 0) {
                throw std::runtime_error("only internal references are expected");
            }
            const bool list = fx.sourceType & 0x20;
            std::uint32_t count = 1;
            if (list) {
                count = c.get(1);
            } else {
                fx.sources.push_back(static_cast<std::int16_t>(c.get(2)));
            }
            fx.object = static_cast<std::uint16_t>(c.get((fx.targetFlags & 0x40) ? 2 : 1));
            if ((fx.sourceType & 0x0F) != 0x02) {
                fx.target = c.get((fx.targetFlags & 0x10) ? 4 : 2);
            }
            if (fx.targetFlags & 0x04) {
                c.get((fx.targetFlags & 0x20) ? 4 : 2);
            }
            for (std::uint32_t i = 0; list && i < count; ++i) {
                fx.sources.push_back(static_cast<std::int16_t>(c.get(2)));
            }
            fx.recordLength = c.at() - fx.recordOffset;
            if (c.at() > end) {
                throw std::runtime_error("a record runs past its page's list");
            }
            m.fixups.push_back(std::move(fx));
        }
    }
    return m;
}

}  // namespace testsupport
