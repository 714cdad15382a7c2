#include "tests/support/le_reader.h"

#include <stdexcept>
#include <string>

namespace testsupport {

LeModule readLeModule(const std::vector<std::uint8_t>& file) {
    std::size_t at = 0;
    auto get = [&](int width) {  // little-endian, from `at` on
        if (at + static_cast<std::size_t>(width) > file.size()) {
            throw std::runtime_error("read past the end of the file at " + std::to_string(at));
        }
        std::uint32_t v = 0;
        for (int i = 0; i < width; ++i) {
            v |= static_cast<std::uint32_t>(file[at++]) << (8 * i);
        }
        return v;
    };
    auto u32 = [&](std::size_t from) { return at = from, get(4); };
    const std::uint32_t h = u32(0x3C);  // the LE header, from the MZ stub
    LeModule m;
    const std::uint32_t pages = u32(h + 0x14);
    m.fixupPageTable = h + u32(h + 0x68);
    m.fixupRecordTable = h + u32(h + 0x6C);
    m.dataPages = u32(h + 0x80);
    for (std::uint32_t p = 0; p <= pages; ++p) {
        m.pageEntries.push_back(u32(m.fixupPageTable + 4 * p));
    }
    for (std::uint32_t p = 0; p < pages; ++p) {
        at = m.fixupRecordTable + m.pageEntries[p];
        while (at < m.fixupRecordTable + m.pageEntries[p + 1]) {
            LeFixup fx{p, static_cast<std::uint8_t>(get(1)), static_cast<std::uint8_t>(get(1)), {}, 0, 0, 0};
            const std::uint32_t count = (fx.sourceType & 0x20) ? get(1) : 0;  // a source list
            if (!(fx.sourceType & 0x20)) {
                fx.sources.push_back(static_cast<std::int16_t>(get(2)));
            }
            get((fx.targetFlags & 0x40) ? 2 : 1);  // the object
            if ((fx.sourceType & 0x0F) != 0x02) {  // all but selectors have a target offset
                fx.targetField = at;
                fx.targetWidth = (fx.targetFlags & 0x10) ? 4 : 2;
                fx.target = get(fx.targetWidth);
            }
            if (fx.targetFlags & 0x04) {
                get((fx.targetFlags & 0x20) ? 4 : 2);  // the additive
            }
            for (std::uint32_t i = 0; i < count; ++i) {
                fx.sources.push_back(static_cast<std::int16_t>(get(2)));
            }
            if (fx.sourceType == 0x07 && fx.sources.size() == 1) {
                m.plain.emplace(std::pair{p, int{fx.sources[0]}}, m.fixups.size());
            }
            m.fixups.push_back(std::move(fx));
        }
    }
    return m;
}

std::vector<const LeFixup*> LeModule::pointerRecords(std::uint32_t position) const {
    const std::uint32_t page = (position - dataPages) / 4096;
    const int inPage = static_cast<int>((position - dataPages) % 4096);
    std::vector<const LeFixup*> out;
    if (auto first = plain.find({page, inPage}); first != plain.end()) {
        out.push_back(&fixups[first->second]);
        auto second = plain.find({page + 1, inPage - 4096});
        if (inPage > 4092 && second != plain.end()) {
            out.push_back(&fixups[second->second]);
        }
    }
    return out;
}

}  // namespace testsupport
