#include "exe/fixups.h"

#include <algorithm>

namespace zorbel {

namespace {

// Source type byte: low nibble the kind, 0x10 alias, 0x20 source list.
constexpr std::uint8_t kSourceKindMask = 0x0F;
constexpr std::uint8_t kSourceAlias = 0x10;
constexpr std::uint8_t kSourceList = 0x20;
constexpr std::uint8_t kSourceSelector = 0x02;
constexpr std::uint8_t kSourceOffset32 = 0x07;

// Target flags byte.
constexpr std::uint8_t kTargetTypeMask = 0x03;
constexpr std::uint8_t kTargetInternal = 0x00;
constexpr std::uint8_t kTargetImportOrdinal = 0x01;
constexpr std::uint8_t kTargetImportName = 0x02;
constexpr std::uint8_t kAdditive = 0x04;
constexpr std::uint8_t kChaining = 0x08;
constexpr std::uint8_t kTarget32 = 0x10;
constexpr std::uint8_t kAdditive32 = 0x20;
constexpr std::uint8_t kObject16 = 0x40;
constexpr std::uint8_t kOrdinal8 = 0x80;

bool knownSourceKind(std::uint8_t kind) {
    switch (kind) {
        case 0x00:  // byte
        case 0x02:  // 16-bit selector
        case 0x03:  // 16:16 pointer
        case 0x05:  // 16-bit offset
        case 0x06:  // 16:32 pointer
        case 0x07:  // 32-bit offset
        case 0x08:  // 32-bit self-relative
            return true;
        default:
            return false;
    }
}

struct Record {
    std::size_t length = 0;
    bool plainOffset32 = false;  // source type 7, one source offset, internal target
    std::int16_t sourceOffset = 0;
    std::size_t targetField = 0;
    int targetWidth = 0;
    std::uint32_t target = 0;
};

// Decodes the record at `at`, which must end before `limit`.
std::optional<Record> decodeRecord(ByteView image, std::size_t at, std::size_t limit) {
    ByteReader in(image.first(limit), at);
    auto source = in.u8();
    auto flags = in.u8();
    if (!source || !flags) {
        return std::nullopt;
    }
    const std::uint8_t kind = *source & kSourceKindMask;
    if ((*source & 0xC0) != 0 || !knownSourceKind(kind) || (*flags & kChaining) != 0) {
        return std::nullopt;
    }
    const bool list = (*source & kSourceList) != 0;
    Record r;
    std::size_t listCount = 0;
    if (list) {
        auto count = in.u8();
        if (!count) {
            return std::nullopt;
        }
        listCount = *count;
    } else {
        auto offset = in.i16();
        if (!offset) {
            return std::nullopt;
        }
        r.sourceOffset = *offset;
    }
    const std::size_t objectWidth = (*flags & kObject16) != 0 ? 2 : 1;
    const std::size_t offsetWidth = (*flags & kTarget32) != 0 ? 4 : 2;
    switch (*flags & kTargetTypeMask) {
        case kTargetInternal:
            if (!in.skip(objectWidth)) {
                return std::nullopt;
            }
            if (kind != kSourceSelector) {
                r.targetField = in.position();
                r.targetWidth = static_cast<int>(offsetWidth);
                std::optional<std::uint32_t> target;
                if (offsetWidth == 4) {
                    target = in.u32();
                } else {
                    target = in.u16();
                }
                if (!target) {
                    return std::nullopt;
                }
                r.target = *target;
            }
            break;
        case kTargetImportOrdinal: {
            const std::size_t ordinalWidth = (*flags & kOrdinal8) != 0 ? 1 : offsetWidth;
            if (!in.skip(objectWidth + ordinalWidth)) {
                return std::nullopt;
            }
            break;
        }
        case kTargetImportName:
            if (!in.skip(objectWidth + offsetWidth)) {
                return std::nullopt;
            }
            break;
        default:  // internal reference through the entry table
            if (!in.skip(objectWidth)) {
                return std::nullopt;
            }
            break;
    }
    if ((*flags & kAdditive) != 0 && !in.skip((*flags & kAdditive32) != 0 ? 4 : 2)) {
        return std::nullopt;
    }
    if (list && !in.skip(2 * listCount)) {
        return std::nullopt;
    }
    r.length = in.position() - at;
    r.plainOffset32 = kind == kSourceOffset32 && !list && (*source & kSourceAlias) == 0 &&
                      (*flags & kTargetTypeMask) == kTargetInternal;
    return r;
}

}  // namespace

namespace {

// Walks the records of a page's list; `visit` sees each one with its file
// offset and returns true to stop. Ends at a record it does not know or one
// that does not lie wholly inside the list and the file.
template <class Visit>
void walkPage(ByteView image, const VersionLayout& layout, std::uint64_t page, Visit visit) {
    const std::uint64_t entry = static_cast<std::uint64_t>(layout.FixupPageTable) + 4 * page;
    auto start = loadU32(image, entry);
    auto end = loadU32(image, entry + 4);
    if (!start || !end || *end <= *start) {
        return;
    }
    const std::uint64_t listBegin = static_cast<std::uint64_t>(layout.FixupRecordTable) + *start;
    const std::uint64_t listEnd =
        std::min<std::uint64_t>(layout.FixupRecordTable + std::uint64_t{*end}, image.size());
    std::uint64_t at = listBegin;
    while (at < listEnd) {
        auto record = decodeRecord(image, static_cast<std::size_t>(at), static_cast<std::size_t>(listEnd));
        if (!record || visit(*record, static_cast<std::size_t>(at))) {
            return;
        }
        at += record->length;
    }
}

}  // namespace

std::optional<FixupRecordRef> FindFixupRecord(ByteView image, const VersionLayout& layout, std::uint64_t page,
                                              std::int32_t sourceOffset) {
    std::optional<FixupRecordRef> found;
    walkPage(image, layout, page, [&](const Record& record, std::size_t at) {
        if (record.plainOffset32 && record.sourceOffset == sourceOffset) {
            found = FixupRecordRef{at, record.targetField, record.targetWidth, record.target};
            return true;
        }
        return false;
    });
    return found;
}

std::vector<PlainRecord> PagePointerRecords(ByteView image, const VersionLayout& layout, std::uint64_t page) {
    std::vector<PlainRecord> records;
    walkPage(image, layout, page, [&](const Record& record, std::size_t at) {
        if (record.plainOffset32) {
            records.push_back({record.sourceOffset, at, record.targetField, record.targetWidth});
        }
        return false;
    });
    return records;
}

PointerRecords FindPointerRecords(ByteView image, const VersionLayout& layout, std::int64_t position) {
    return FindPointerRecordsWith(image, layout, position,
                                  [&](std::uint64_t page, std::int32_t sourceOffset) {
                                      return FindFixupRecord(image, layout, page, sourceOffset);
                                  });
}

PointerRead ReadExePointer(ByteView image, const VersionLayout& layout, std::int64_t position) {
    auto records = FindPointerRecords(image, layout, position);
    if (!records.first) {
        return {};
    }
    return {static_cast<std::int32_t>(records.first->target), true};
}

std::vector<ByteEdit> PointerWriteEdits(ByteView image, const VersionLayout& layout, std::int64_t position,
                                        std::uint32_t target) {
    return TargetEdits(FindPointerRecords(image, layout, position), target);
}

std::vector<ByteEdit> TargetEdits(const PointerRecords& records, std::uint32_t target) {
    std::vector<ByteEdit> edits;
    for (const auto& record : {records.first, records.second}) {
        if (!record) {
            continue;
        }
        ByteEdit edit{record->targetField,
                      std::vector<std::uint8_t>(static_cast<std::size_t>(record->targetWidth))};
        for (std::size_t i = 0; i < edit.bytes.size(); ++i) {
            edit.bytes[i] = static_cast<std::uint8_t>(target >> (8 * i));
        }
        edits.push_back(std::move(edit));
    }
    return edits;
}

}  // namespace zorbel
