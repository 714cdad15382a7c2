#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "exe/fixups.h"

namespace zorbel {

// Remembers where each page's pointer records lie, so that a lookup is a
// binary search instead of a walk of the page's list. Targets are always
// read from the image; only the records' places are kept, and those change
// only when bytes of the fixup tables other than a target change (then the
// owner clears the index).
class FixupIndex {
  public:
    // The same answer as FindPointerRecords.
    PointerRecords find(ByteView image, const VersionLayout& layout, std::int64_t position);
    void clear() { pages_.clear(); }

  private:
    struct Entry {
        std::int16_t sourceOffset;
        std::size_t recordOffset;
        std::size_t targetField;
        int targetWidth;
    };
    const std::vector<Entry>& page(ByteView image, const VersionLayout& layout, std::uint64_t page);
    std::optional<FixupRecordRef> lookup(ByteView image, const VersionLayout& layout, std::uint64_t page,
                                         std::int32_t sourceOffset);

    std::unordered_map<std::uint64_t, std::vector<Entry>> pages_;
};

}  // namespace zorbel
