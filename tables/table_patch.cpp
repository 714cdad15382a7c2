#include "tables/table_patch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cstdio>
#include <limits>
#include <map>
#include <tuple>

#include "base/crc32.h"

namespace zorbel {

namespace {

constexpr std::string_view kHeader = "zorbel table patch";

}  // namespace

std::pair<std::int64_t, std::int64_t> FieldRange(const FieldDef& f) {
    switch (f.kind) {
        case FieldKind::Bits:
            return {0, static_cast<std::int64_t>(f.mask >> std::countr_zero(f.mask))};
        case FieldKind::Pointer:
            return {0, std::numeric_limits<std::uint32_t>::max()};
        case FieldKind::BarPointer:
            return {std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()};
        case FieldKind::Unsigned:
        case FieldKind::SoundWord:
            break;
    }
    return {0, (std::int64_t{1} << (8 * f.width)) - 1};
}

std::optional<std::int64_t> DecimalValue(std::string_view text) {
    std::int64_t v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v);
    if (text.empty() || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return v;
}

namespace {

std::vector<std::string_view> words(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) {
            ++at;
        }
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t') {
            ++end;
        }
        if (end > at) {
            out.push_back(line.substr(at, end - at));
        }
        at = end;
    }
    return out;
}

std::optional<std::uint32_t> hex32(std::string_view text) {
    std::uint32_t v = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, v, 16);
    if (text.empty() || text.size() > 8 || error != std::errc() || stop != end) {
        return std::nullopt;
    }
    return v;
}

}  // namespace

PatchBase BaseOf(const ExeImage& reference) {
    return {reference.GameVersion(), reference.size(), Crc32(reference.bytes())};
}

TablePatch MakeTablePatch(const ExeImage& reference, const Comparison& comparison) {
    TablePatch patch;
    patch.base = BaseOf(reference);
    for (const FieldChange& c : comparison.fields) {
        if (c.comparable && c.now && c.now->found) {
            patch.entries.push_back({c.field, c.row, c.was, c.now->value, 0});
        }
    }
    return patch;
}

std::string WriteTablePatch(const TablePatch& patch, const std::vector<std::string>* strings) {
    std::array<char, 96> base{};
    std::snprintf(base.data(), base.size(), "base build %d size %llu crc32 %08x\n", patch.base.build,
                  static_cast<unsigned long long>(patch.base.size), patch.base.crc32);
    std::string out = std::string(kHeader) + " " + std::to_string(kTablePatchVersion) + "\n" + base.data();
    std::vector<PatchEntry> entries = patch.entries;
    const auto order = [](const PatchEntry& e) {
        const auto fields = Fields();
        const auto at = std::find(fields.begin(), fields.end(), e.field);
        return std::tuple(static_cast<int>(e.field->table), e.row, at - fields.begin());
    };
    std::stable_sort(entries.begin(), entries.end(),
                     [&](const PatchEntry& a, const PatchEntry& b) { return order(a) < order(b); });
    const PatchEntry* last = nullptr;
    for (const PatchEntry& e : entries) {
        if (last == nullptr || last->field->table != e.field->table || last->row != e.row) {
            out += "# " + PlaceText(e.field->table, e.row, strings) + "\n";
        }
        out += std::string(TableOf(e.field->table).key) + " " + std::to_string(e.row) + " " +
               std::string(e.field->key) + " " + ValueText(e.was) + " -> " + std::to_string(e.now) + "\n";
        last = &e;
    }
    return out;
}

Result<TablePatch> ReadTablePatch(std::string_view text, std::string_view fileName) {
    TablePatch patch;
    int lineNo = 0;
    bool header = false;
    bool based = false;
    std::map<std::tuple<const FieldDef*, std::int64_t>, int> seen;
    auto fail = [&](const std::string& why) {
        return Result<TablePatch>::failure(std::string(fileName) + ":" + std::to_string(lineNo) + ": " + why);
    };
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        std::string_view line = text.substr(at, end - at);
        at = end + 1;
        ++lineNo;
        if (const std::size_t hash = line.find('#'); hash != std::string_view::npos) {
            line = line.substr(0, hash);
        }
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        const auto w = words(line);
        if (w.empty()) {
            if (end == text.size()) {
                break;
            }
            continue;
        }
        if (!header) {
            if (w.size() != 4 || w[0] != "zorbel" || w[1] != "table" || w[2] != "patch") {
                return fail("not a table patch: it starts with \"" + std::string(kHeader) + " " +
                            std::to_string(kTablePatchVersion) + "\"");
            }
            if (DecimalValue(w[3]) != kTablePatchVersion) {
                return fail("table patch version " + std::string(w[3]) + " is not known; this editor reads " +
                            std::to_string(kTablePatchVersion));
            }
            header = true;
            continue;
        }
        if (!based) {
            const auto build = w.size() == 7 ? DecimalValue(w[2]) : std::nullopt;
            const auto size = w.size() == 7 ? DecimalValue(w[4]) : std::nullopt;
            const auto crc = w.size() == 7 ? hex32(w[6]) : std::nullopt;
            if (!build || !size || !crc || w[0] != "base" || w[1] != "build" || w[3] != "size" ||
                w[5] != "crc32") {
                return fail("expected \"base build B size S crc32 C\" after the first line");
            }
            if (*build < 0 || *build >= kBuildCount || *size < 0) {
                return fail("no known build " + std::string(w[2]) + " of a size " + std::string(w[4]));
            }
            patch.base = {static_cast<std::int32_t>(*build), static_cast<std::uint64_t>(*size), *crc};
            based = true;
            continue;
        }
        if (w.size() != 6 || w[4] != "->") {
            return fail("expected \"TABLE ROW FIELD OLD -> NEW\"");
        }
        const TableDef* table = FindTable(w[0]);
        if (table == nullptr) {
            return fail("no table \"" + std::string(w[0]) + "\"");
        }
        const FieldDef* field = FindField(w[0], w[2]);
        if (field == nullptr) {
            return fail("table " + std::string(w[0]) + " has no field \"" + std::string(w[2]) + "\"");
        }
        const auto row = DecimalValue(w[1]);
        if (!row || !HasRow(*field, VersionLayouts[static_cast<std::size_t>(patch.base.build)], *row)) {
            return fail("table " + std::string(w[0]) + " has no row " + std::string(w[1]) + " in build " +
                        std::to_string(patch.base.build));
        }
        const auto [low, high] = FieldRange(*field);
        auto fits = [&, low = low, high = high](std::string_view v) {
            const auto n = DecimalValue(v);
            return n && *n >= low && *n <= high ? n : std::nullopt;
        };
        const std::string range = " (" + std::to_string(low) + " to " + std::to_string(high) + ")";
        PatchEntry entry{field, *row, std::nullopt, 0, lineNo};
        if (w[3] == "none" && IsPointer(*field)) {
            entry.was = FieldValue{-1, false};
        } else if (w[3] != "-") {
            const auto was = fits(w[3]);
            if (!was) {
                return fail("the old value " + std::string(w[3]) + " does not fit " + std::string(w[2]) +
                            range);
            }
            entry.was = FieldValue{*was, true};
        }
        const auto now = fits(w[5]);
        if (!now) {
            return fail("the new value " + std::string(w[5]) + " does not fit " + std::string(w[2]) + range);
        }
        entry.now = *now;
        const auto [first, fresh] = seen.try_emplace({field, *row}, lineNo);
        if (!fresh) {
            return fail(std::string(w[0]) + " " + std::string(w[1]) + " " + std::string(w[2]) +
                        " is given twice, first on line " + std::to_string(first->second));
        }
        patch.entries.push_back(entry);
    }
    if (!header || !based) {
        return fail(header ? "the base line is missing" : "empty: no \"" + std::string(kHeader) + "\" line");
    }
    return patch;
}

PatchPlan PlanTablePatch(const ExeImage& image, const TablePatch& patch) {
    PatchPlan plan;
    const std::int32_t build = image.GameVersion();
    for (const PatchEntry& e : patch.entries) {
        if (IsPointer(*e.field) && build != patch.base.build) {
            plan.refused.push_back({e, "a pointer of build " + std::to_string(patch.base.build) +
                                           ", whose targets differ in build " + std::to_string(build)});
            continue;
        }
        const auto current =
            HasRow(*e.field, image.layout(), e.row) ? ReadField(image, *e.field, e.row) : std::nullopt;
        if (!current) {
            plan.refused.push_back({e, "build " + std::to_string(build) + " has no such row"});
            continue;
        }
        if (!current->found) {
            plan.refused.push_back({e, "a pointer without a fixup record here"});
            continue;
        }
        if (current->value == e.now) {
            ++plan.unchanged;
        } else if (!e.was || (e.was->found && e.was->value == current->value)) {
            plan.apply.push_back(e);
        } else {
            plan.conflicts.push_back({e, current});
        }
    }
    return plan;
}

std::string ConflictText(const PatchConflict& conflict, const std::vector<std::string>* strings) {
    const PatchEntry& e = conflict.entry;
    return FieldPlaceText(*e.field, e.row, strings) + " is " + ValueText(conflict.current) +
           "; the patch has " + ValueText(e.was) + " -> " + std::to_string(e.now);
}

std::string RefusedText(const PatchRefusal& refusal, const std::vector<std::string>* strings) {
    const PatchEntry& e = refusal.entry;
    return FieldPlaceText(*e.field, e.row, strings) + ": " + refusal.reason;
}

std::size_t ApplyTablePatch(ExeImage& image, const PatchPlan& plan, bool takeConflicts,
                            const std::string& label) {
    const EditScope step(image, label);
    std::size_t set = 0;
    auto put = [&](const PatchEntry& e) {
        if (WriteField(image, *e.field, e.row, e.now)) {
            ++set;
        }
    };
    std::for_each(plan.apply.begin(), plan.apply.end(), put);
    if (takeConflicts) {
        for (const PatchConflict& c : plan.conflicts) {
            put(c.entry);
        }
    }
    return set;
}

std::vector<std::string> PatchClashes(const std::vector<TablePatch>& patches,
                                      const std::vector<std::string>& names) {
    std::vector<std::string> out;
    std::map<std::tuple<const FieldDef*, std::int64_t>, std::pair<std::int64_t, std::size_t>> set;
    for (std::size_t p = 0; p < patches.size(); ++p) {
        for (const PatchEntry& e : patches[p].entries) {
            const auto [first, fresh] = set.try_emplace({e.field, e.row}, e.now, p);
            if (!fresh && first->second.first != e.now) {
                out.push_back(std::string(TableOf(e.field->table).key) + " " + std::to_string(e.row) + " " +
                              std::string(e.field->key) + ": " + std::to_string(first->second.first) +
                              " in " + names.at(first->second.second) + ", " + std::to_string(e.now) +
                              " in " + names.at(p));
            }
        }
    }
    return out;
}

}  // namespace zorbel
