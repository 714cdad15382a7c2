#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/result.h"
#include "tables/compare.h"

namespace zorbel {

// A table patch: the fields a mod changes, by table, row and field key, with
// the value it found and the value it sets, and the executable it was made
// against. Text, a line per field, in the order of the tables, rows and
// fields, so that two patches diff and merge line by line:
//
//   zorbel table patch 1
//   base build 2 size 1048576 crc32 1a2b3c4d
//   # Units · 3. Peon
//   units 3 icon 12 -> 14
//
// "#" starts a comment to the end of the line. A value is a number, "none"
// for a pointer without a fixup record (found only), "-" for a value the
// base does not have (found only).

constexpr int kTablePatchVersion = 1;

struct PatchBase {
    std::int32_t build = 0;
    std::uint64_t size = 0;
    std::uint32_t crc32 = 0;
    bool operator==(const PatchBase&) const = default;
};

struct PatchEntry {
    const FieldDef* field = nullptr;
    std::int64_t row = 0;
    std::optional<FieldValue> was;  // none: the base does not have it
    std::int64_t now = 0;
    int line = 0;  // where it was read; 0 when made
};

struct TablePatch {
    PatchBase base;
    std::vector<PatchEntry> entries;
};

// The values a field takes, as a patch gives them: a bit group's value
// shifted down, a pointer's target offset, a BarOffset.
std::pair<std::int64_t, std::int64_t> FieldRange(const FieldDef& field);
// A decimal number, with "-" for a negative one; nothing else.
std::optional<std::int64_t> DecimalValue(std::string_view text);

PatchBase BaseOf(const ExeImage& reference);

// The changes of a comparison that a patch can carry: those that compare
// and whose new value can be written.
TablePatch MakeTablePatch(const ExeImage& reference, const Comparison& comparison);
// `strings` names the rows in the comments, when read.
std::string WriteTablePatch(const TablePatch& patch, const std::vector<std::string>* strings);
// Strict: any line that is not a comment, the header, the base or an entry
// of a known table, row and field with values that fit, or a field given
// twice, is an error "NAME:LINE: reason" and nothing is read.
Result<TablePatch> ReadTablePatch(std::string_view text, std::string_view fileName);

// What applying a patch onto an image would do.
struct PatchConflict {
    PatchEntry entry;
    std::optional<FieldValue> current;  // neither the patch's old value nor its new one
};
struct PatchRefusal {
    PatchEntry entry;
    std::string reason;  // "a pointer of build 2, whose targets differ in build 4"
};
struct PatchPlan {
    std::vector<PatchEntry> apply;  // to be set
    std::vector<PatchConflict> conflicts;
    std::vector<PatchRefusal> refused;  // what cannot be set in this image
    std::size_t unchanged = 0;          // already at the patch's value
};
PatchPlan PlanTablePatch(const ExeImage& image, const TablePatch& patch);

// "Units · 3. Peon · Icon is 13; the patch has 12 -> 14"
std::string ConflictText(const PatchConflict& conflict, const std::vector<std::string>* strings);
// "Units · 3. Peon · Ack FN: a pointer of build 2, whose targets differ in build 4"
std::string RefusedText(const PatchRefusal& refusal, const std::vector<std::string>* strings);

// Sets the plan's fields, and with `takeConflicts` the conflicting ones too,
// as one step named `label`. Gives how many fields it set.
std::size_t ApplyTablePatch(ExeImage& image, const PatchPlan& plan, bool takeConflicts,
                            const std::string& label);

// Patches applied one after another: the fields that two of them set to
// different values, as "units 3 icon: 14 in a.ztp, 15 in b.ztp".
std::vector<std::string> PatchClashes(const std::vector<TablePatch>& patches,
                                      const std::vector<std::string>& names);

}  // namespace zorbel
