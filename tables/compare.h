#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tables/catalogue.h"

namespace zorbel {

// What differs between the open image and a reference executable: field by
// field through the catalogue (so a reference of another build compares
// too), and with a reference of the same build the bytes that differ outside
// every field, so that nothing changed is hidden.

struct FieldChange {
    const FieldDef* field = nullptr;
    std::int64_t row = 0;
    std::optional<FieldValue> was;  // the reference's; none when it lacks the row or its bytes
    std::optional<FieldValue> now;
    bool comparable = true;  // false: a pointer against another build, whose targets differ by build
};

struct ByteRange {
    std::size_t offset = 0;
    std::size_t length = 0;
    bool operator==(const ByteRange&) const = default;
};

struct Comparison {
    std::vector<FieldChange> fields;  // in the order of the tables, then rows, then fields
    std::vector<ByteRange> outside;   // a reference of the same build only
    bool sameBuild = true;
    // The changes that compare: what the user changed.
    std::size_t changedFields() const;
};

Comparison CompareImages(const ExeImage& reference, const ExeImage& current);

// A value as the pages show it: the number, "none" for a pointer without a
// fixup record, "-" for a value that is not there at all.
std::string ValueText(const std::optional<FieldValue>& value);
// "Units · 3. Peon"
std::string PlaceText(TableId table, std::int64_t row, const std::vector<std::string>* strings);
// "Units · 3. Peon · Icon"
std::string FieldPlaceText(const FieldDef& field, std::int64_t row, const std::vector<std::string>* strings);
// "Units · 3. Peon · Icon: 12 → 14"; `strings` names the units, when read.
std::string ChangeText(const FieldChange& change, const std::vector<std::string>* strings);
// "outside the tables: 0x1A2F0, 4 bytes"
std::string OutsideText(const ByteRange& range);

// Puts back the reference's values of `changes` (those that compare and that
// the reference has) and, against a reference of the same build, its bytes
// of `ranges`, as one step named `label`. Gives how many fields it set to
// another value.
std::size_t RevertChanges(ExeImage& image, const ExeImage& reference, std::span<const FieldChange> changes,
                          std::span<const ByteRange> ranges, const std::string& label);

// A field found by Find; `field` is null for a row found by its name.
struct FoundField {
    const FieldDef* field = nullptr;
    std::int64_t row = 0;
    std::optional<FieldValue> value;
    TableId table = TableId::Units;
};

// Find across every table. The query is a value ("12", "$1F"), a field and a
// value ("Icon 80", by the page's label or the field's key), a sound number
// ("sound 12": every field that names sound 12), or else a part of a row's
// name; case is ignored.
std::vector<FoundField> FindInTables(const ExeImage& image, std::string_view query,
                                     const std::vector<std::string>* strings);
// "Units · 3. Peon · Icon = 12", or "Units · 3. Peon" for a name.
std::string FoundText(const FoundField& found, const std::vector<std::string>* strings);

}  // namespace zorbel
