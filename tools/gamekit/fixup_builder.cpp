#include "tools/gamekit/fixup_builder.h"

namespace gamekit {

namespace {

void put(std::vector<std::uint8_t>& out, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

FixupRecord offset32Record(std::int16_t sourceOffset, std::uint16_t object, std::uint32_t target) {
    FixupRecord r;
    r.sourceOffset = sourceOffset;
    r.object = object;
    r.target = target;
    r.targetFlags = target > 0xFFFF ? 0x10 : 0x00;
    return r;
}

std::vector<std::uint8_t> encodeRecord(const FixupRecord& r) {
    std::vector<std::uint8_t> out;
    const bool list = (r.sourceType & 0x20) != 0;
    out.push_back(r.sourceType);
    out.push_back(r.targetFlags);
    if (list) {
        out.push_back(static_cast<std::uint8_t>(r.sourceList.size()));
    } else {
        put(out, static_cast<std::uint16_t>(r.sourceOffset), 2);
    }
    put(out, r.object, (r.targetFlags & 0x40) ? 2 : 1);
    if ((r.sourceType & 0x0F) != 0x02) {
        put(out, r.target, (r.targetFlags & 0x10) ? 4 : 2);
    }
    if (r.targetFlags & 0x04) {
        put(out, r.additive, (r.targetFlags & 0x20) ? 4 : 2);
    }
    for (std::int16_t s : r.sourceList) {
        put(out, static_cast<std::uint16_t>(s), 2);
    }
    return out;
}

FixupSection buildFixupSection(const std::vector<std::vector<FixupRecord>>& perPage) {
    FixupSection section;
    for (const auto& page : perPage) {
        put(section.pageTable, static_cast<std::uint32_t>(section.records.size()), 4);
        for (const auto& record : page) {
            auto bytes = encodeRecord(record);
            section.records.insert(section.records.end(), bytes.begin(), bytes.end());
        }
    }
    put(section.pageTable, static_cast<std::uint32_t>(section.records.size()), 4);
    return section;
}

}  // namespace gamekit
