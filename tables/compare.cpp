#include "tables/compare.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>
#include <map>

#include "exe/range_set.h"
#include "tables/row_names.h"
#include "text/integer_text.h"

namespace zorbel {

namespace {

bool sameValue(const std::optional<FieldValue>& a, const std::optional<FieldValue>& b) {
    if (a.has_value() != b.has_value()) {
        return false;
    }
    return !a || (a->found == b->found && (!a->found || a->value == b->value));
}

// The bytes of a build that fields cover whole: every number and sound word.
// Bit groups cover only their bits and pointers their records' targets,
// which the comparison takes apart.
struct Coverage {
    RangeSet whole;
    std::map<std::size_t, std::uint32_t> bits;  // word offset -> the bits fields cover
};

const Coverage& coverageOf(std::int32_t build) {
    static std::array<std::optional<Coverage>, kBuildCount> cache;
    auto& slot = cache.at(static_cast<std::size_t>(build));
    if (!slot) {
        Coverage c;
        const VersionLayout& l = VersionLayouts[static_cast<std::size_t>(build)];
        for (const FieldDef* f : Fields()) {
            if (IsPointer(*f)) {
                continue;
            }
            for (std::int64_t row : TableRows(f->table, l)) {
                const std::int64_t at = FieldPosition(*f, l, row);
                if (at < 0) {
                    continue;
                }
                if (f->kind == FieldKind::Bits) {
                    c.bits[static_cast<std::size_t>(at)] |= f->mask;
                } else {
                    c.whole.insert(static_cast<std::size_t>(at), static_cast<std::size_t>(at) + f->width);
                }
            }
        }
        slot = std::move(c);
    }
    return *slot;
}

// The ranges where two byte strings differ; the longer one's tail differs.
std::vector<ByteRange> differingBytes(ByteView a, ByteView b) {
    std::vector<ByteRange> out;
    const std::size_t common = std::min(a.size(), b.size());
    constexpr std::size_t kBlock = 64;
    std::size_t k = 0;
    while (k < common) {
        // Whole equal blocks are stepped over with one compare.
        if (k % kBlock == 0 && k + kBlock <= common && std::memcmp(&a[k], &b[k], kBlock) == 0) {
            k += kBlock;
            continue;
        }
        if (a[k] != b[k]) {
            if (!out.empty() && out.back().offset + out.back().length == k) {
                ++out.back().length;
            } else {
                out.push_back({k, 1});
            }
        }
        ++k;
    }
    if (a.size() != b.size()) {
        out.push_back({common, std::max(a.size(), b.size()) - common});
    }
    return out;
}

void addRecordTargets(RangeSet& set, const PointerRecords& records) {
    for (const auto& r : {records.first, records.second}) {
        if (r) {
            set.insert(r->targetField, r->targetField + static_cast<std::size_t>(r->targetWidth));
        }
    }
}

// What differs outside every field of a build both images share.
std::vector<ByteRange> outsideFields(const ExeImage& reference, const ExeImage& current) {
    const auto differ = differingBytes(reference.bytes(), current.bytes());
    if (differ.empty()) {
        return {};
    }
    const Coverage& cover = coverageOf(current.GameVersion());
    RangeSet left;
    for (const ByteRange& d : differ) {
        left.insert(d.offset, d.offset + d.length);
    }
    for (const auto& [from, to] : cover.whole.ranges()) {
        left.erase(from, to);
    }
    // A bit group's word is covered where only bits of its fields differ.
    for (const auto& [at, mask] : cover.bits) {
        for (std::size_t k = 0; k < 4; ++k) {
            const auto a = loadU8(reference.bytes(), at + k);
            const auto b = loadU8(current.bytes(), at + k);
            const auto keep = static_cast<std::uint8_t>(mask >> (8 * k));
            if (a && b && ((*a ^ *b) & ~keep) == 0) {
                left.erase(at + k, at + k + 1);
            }
        }
    }
    if (!left.empty()) {
        // The targets in the fixup records of every pointer field, in
        // either image (they lie in the same places unless records moved).
        RangeSet targets;
        for (const FieldDef* f : Fields()) {
            if (!IsPointer(*f)) {
                continue;
            }
            for (std::int64_t row : TableRows(f->table, current.layout())) {
                const std::int64_t at = FieldPosition(*f, current.layout(), row);
                addRecordTargets(targets, current.pointerRecords(at));
                addRecordTargets(targets, reference.pointerRecords(at));
            }
        }
        for (const auto& [from, to] : targets.ranges()) {
            left.erase(from, to);
        }
    }
    std::vector<ByteRange> out;
    for (const auto& [from, to] : left.ranges()) {
        out.push_back({from, to - from});
    }
    return out;
}

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string trimmed(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())) != 0) {
        s.remove_prefix(1);
    }
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())) != 0) {
        s.remove_suffix(1);
    }
    return std::string(s);
}

constexpr const char* kDot = " \xC2\xB7 ";  // " · "

}  // namespace

std::string PlaceText(TableId table, std::int64_t row, const std::vector<std::string>* strings) {
    return std::string(TableOf(table).name) + kDot + RowName(table, row, strings);
}

std::string FieldPlaceText(const FieldDef& field, std::int64_t row, const std::vector<std::string>* strings) {
    return PlaceText(field.table, row, strings) + kDot + std::string(field.label);
}

std::size_t Comparison::changedFields() const {
    return static_cast<std::size_t>(
        std::count_if(fields.begin(), fields.end(), [](const FieldChange& c) { return c.comparable; }));
}

Comparison CompareImages(const ExeImage& reference, const ExeImage& current) {
    Comparison out;
    if (!reference.held() || !current.held()) {
        return out;
    }
    out.sameBuild = reference.GameVersion() == current.GameVersion();
    for (const TableDef& table : Tables()) {
        const auto fields = TableFields(table.id);
        for (std::int64_t row : TableRows(table.id, current.layout())) {
            for (const FieldDef* f : fields) {
                if (!HasRow(*f, current.layout(), row)) {
                    continue;
                }
                auto now = ReadField(current, *f, row);
                auto was = ReadField(reference, *f, row);
                if (!sameValue(was, now)) {
                    out.fields.push_back({f, row, was, now, out.sameBuild || !IsPointer(*f)});
                }
            }
        }
    }
    if (out.sameBuild) {
        out.outside = outsideFields(reference, current);
    }
    return out;
}

std::string ValueText(const std::optional<FieldValue>& value) {
    if (!value) {
        return "-";
    }
    return value->found ? std::to_string(value->value) : "none";
}

std::string ChangeText(const FieldChange& c, const std::vector<std::string>* strings) {
    std::string text = FieldPlaceText(*c.field, c.row, strings) + ": " + ValueText(c.was) + " \xE2\x86\x92 " +
                       ValueText(c.now);  // →
    if (!c.comparable) {
        text += " (not comparable across builds)";
    }
    return text;
}

std::string OutsideText(const ByteRange& range) {
    std::array<char, 32> offset{};
    std::snprintf(offset.data(), offset.size(), "0x%zX", range.offset);
    return std::string("outside the tables: ") + offset.data() + ", " + std::to_string(range.length) +
           (range.length == 1 ? " byte" : " bytes");
}

std::size_t RevertChanges(ExeImage& image, const ExeImage& reference, std::span<const FieldChange> changes,
                          std::span<const ByteRange> ranges, const std::string& label) {
    const EditScope step(image, label);
    std::size_t set = 0;
    for (const FieldChange& c : changes) {
        if (c.comparable && c.was && c.was->found && !sameValue(ReadField(image, *c.field, c.row), c.was) &&
            WriteField(image, *c.field, c.row, c.was->value)) {
            ++set;
        }
    }
    if (reference.GameVersion() == image.GameVersion()) {
        for (const ByteRange& r : ranges) {
            // Only what both images have; a longer image keeps its tail.
            if (r.offset < reference.size() && r.offset < image.size()) {
                const std::size_t n =
                    std::min({r.length, reference.size() - r.offset, image.size() - r.offset});
                image.write(r.offset, reference.bytes().subspan(r.offset, n));
            }
        }
    }
    return set;
}

std::vector<FoundField> FindInTables(const ExeImage& image, std::string_view query,
                                     const std::vector<std::string>* strings) {
    std::vector<FoundField> out;
    const std::string text = trimmed(query);
    if (!image.held() || text.empty()) {
        return out;
    }
    // The last word a number: a value alone, or after a field or "sound".
    std::string name;
    std::optional<std::int32_t> value = parseIntegerText(text);
    if (!value) {
        const auto blank = text.find_last_of(" \t");
        if (blank != std::string::npos) {
            if (auto v = parseIntegerText(text.substr(blank + 1))) {
                value = v;
                name = lower(trimmed(text.substr(0, blank)));
            }
        }
    }
    auto scan = [&](auto wanted) {
        for (const TableDef& table : Tables()) {
            const auto fields = TableFields(table.id);
            for (std::int64_t row : TableRows(table.id, image.layout())) {
                for (const FieldDef* f : fields) {
                    if (!wanted(*f)) {
                        continue;
                    }
                    const auto v = ReadField(image, *f, row);
                    if (v && v->found && v->value == *value) {
                        out.push_back({f, row, v, table.id});
                    }
                }
            }
        }
    };
    if (value && name.empty()) {
        scan([](const FieldDef&) { return true; });
        return out;
    }
    if (value && name == "sound") {
        // The unit fields that hold a number of the Sound Table.
        scan([](const FieldDef& f) { return &f == &fields::UnitReady || &f == &fields::UnitAttack; });
        return out;
    }
    if (value) {
        bool known = false;
        for (const FieldDef* f : Fields()) {
            known = known || lower(f->label) == name || lower(f->key) == name;
        }
        if (known) {
            scan([&](const FieldDef& f) { return lower(f.label) == name || lower(f.key) == name; });
            return out;
        }
    }
    // A part of a row's name.
    const std::string part = lower(text);
    for (const TableDef& table : Tables()) {
        for (std::int64_t row : TableRows(table.id, image.layout())) {
            // A unit once: by its record, or by its command bar past the records.
            const bool another =
                table.id == TableId::UnitSounds || (table.id == TableId::CommandBars && row < fields::kUnits);
            if (!another && lower(RowName(table.id, row, strings)).find(part) != std::string::npos) {
                out.push_back({nullptr, row, std::nullopt, table.id});
            }
        }
    }
    return out;
}

std::string FoundText(const FoundField& found, const std::vector<std::string>* strings) {
    if (found.field == nullptr) {
        return PlaceText(found.table, found.row, strings);
    }
    return FieldPlaceText(*found.field, found.row, strings) + " = " + ValueText(found.value);
}

}  // namespace zorbel
