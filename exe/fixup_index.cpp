#include "exe/fixup_index.h"

#include <algorithm>

namespace zorbel {

const std::vector<FixupIndex::Entry>& FixupIndex::page(ByteView image, const VersionLayout& layout,
                                                       std::uint64_t page) {
    auto it = pages_.find(page);
    if (it != pages_.end()) {
        return it->second;
    }
    std::vector<Entry> entries;
    for (const PlainRecord& r : PagePointerRecords(image, layout, page)) {
        entries.push_back({r.sourceOffset, r.recordOffset, r.targetField, r.targetWidth});
    }
    // Sorted by source offset; of equal ones the first in the list wins, as in the walk.
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.sourceOffset < b.sourceOffset; });
    return pages_.emplace(page, std::move(entries)).first->second;
}

std::optional<FixupRecordRef> FixupIndex::lookup(ByteView image, const VersionLayout& layout,
                                                 std::uint64_t pageNumber, std::int32_t sourceOffset) {
    const auto& entries = page(image, layout, pageNumber);
    auto it = std::lower_bound(entries.begin(), entries.end(), sourceOffset,
                               [](const Entry& e, std::int32_t s) { return e.sourceOffset < s; });
    if (it == entries.end() || it->sourceOffset != sourceOffset) {
        return std::nullopt;
    }
    std::uint32_t target = 0;
    if (it->targetWidth == 4) {
        target = loadU32(image, it->targetField).value_or(0);
    } else {
        target = loadU16(image, it->targetField).value_or(0);
    }
    return FixupRecordRef{it->recordOffset, it->targetField, it->targetWidth, target};
}

PointerRecords FixupIndex::find(ByteView image, const VersionLayout& layout, std::int64_t position) {
    return FindPointerRecordsWith(image, layout, position,
                                  [&](std::uint64_t page, std::int32_t sourceOffset) {
                                      return lookup(image, layout, page, sourceOffset);
                                  });
}

}  // namespace zorbel
