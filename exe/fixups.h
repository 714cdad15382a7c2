#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "base/byte_reader.h"
#include "exe/version_layout.h"

namespace zorbel {

constexpr std::uint32_t kPageSize = 4096;

// A 32-bit offset fixup record found for a pointer: where its target field
// lies in the file and how wide that field is.
struct FixupRecordRef {
    std::size_t recordOffset;
    std::size_t targetField;
    int targetWidth;  // 2 or 4 bytes
    std::uint32_t target;
};

// The records that relocate the pointer stored at a file position. A pointer
// whose four bytes cross a page boundary has a second record in the next
// page's list, with a negative source offset; the loader applies both.
struct PointerRecords {
    std::optional<FixupRecordRef> first;
    std::optional<FixupRecordRef> second;
};

struct PointerRead {
    std::int32_t target = -1;
    bool found = false;
};

struct ByteEdit {
    std::size_t offset;
    std::vector<std::uint8_t> bytes;
};

// The record of page `page` whose single source offset is `sourceOffset`,
// walking every record of the page's list by the format's length rules. The
// walk stops, as not found, at a record it does not know or one that does not
// lie wholly inside the page's list and the file.
std::optional<FixupRecordRef> FindFixupRecord(ByteView image, const VersionLayout& layout, std::uint64_t page,
                                              std::int32_t sourceOffset);

PointerRecords FindPointerRecords(ByteView image, const VersionLayout& layout, std::int64_t position);

// The records of the pointer at `position`, each found by
// `find(page, sourceOffset)`: the second only when the pointer's four bytes
// cross into the next page. Shared by the walk and the index.
template <class Find>
PointerRecords FindPointerRecordsWith(ByteView image, const VersionLayout& layout, std::int64_t position,
                                      Find find) {
    PointerRecords out;
    if (position < static_cast<std::int64_t>(layout.PageBase) ||
        static_cast<std::uint64_t>(position) >= image.size()) {
        return out;
    }
    const auto d = static_cast<std::uint64_t>(position) - layout.PageBase;
    const std::uint64_t page = d / kPageSize;
    const auto inPage = static_cast<std::int32_t>(d % kPageSize);
    out.first = find(page, inPage);
    if (out.first && inPage > static_cast<std::int32_t>(kPageSize) - 4) {
        out.second = find(page + 1, inPage - static_cast<std::int32_t>(kPageSize));
    }
    return out;
}

// The edits that store `target` in the records' own target fields.
std::vector<ByteEdit> TargetEdits(const PointerRecords& records, std::uint32_t target);

// A plain 32-bit offset record of a page's list, by where it lies.
struct PlainRecord {
    std::int16_t sourceOffset;
    std::size_t recordOffset;
    std::size_t targetField;
    int targetWidth;
};
// The plain pointer records of page `page`, in list order, as far as the
// walk of FindFixupRecord goes.
std::vector<PlainRecord> PagePointerRecords(ByteView image, const VersionLayout& layout, std::uint64_t page);

// The target offset of the pointer at `position`, or -1 and not found.
PointerRead ReadExePointer(ByteView image, const VersionLayout& layout, std::int64_t position);

// The edits that make the pointer at `position` target `target`: each record
// keeps its width (a 16-bit target field keeps the low 16 bits). Empty when
// the position has no record.
std::vector<ByteEdit> PointerWriteEdits(ByteView image, const VersionLayout& layout, std::int64_t position,
                                        std::uint32_t target);

}  // namespace zorbel
