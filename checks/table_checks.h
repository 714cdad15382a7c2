#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tables/catalogue.h"

namespace zorbel {

// Checks of the tables for values the game does not survive: each problem
// names the field at fault, so that a click can jump to it, and says what
// is wrong in a line.

enum class Severity : std::uint8_t { Error, Warning, Note };
// "error", "warning", "note"
std::string_view SeverityName(Severity severity);

struct Problem {
    Severity severity = Severity::Error;
    std::string_view check;  // stable, for settings and scripts: "sound-number"
    const FieldDef* field = nullptr;
    std::int64_t row = 0;
    std::string text;  // "Unit sounds · 3. Peon · Ready: sound 400; the Sound Table has 345"
    // What an ignored problem is remembered by: "sound-number unit_sounds 3 ready".
    std::string key() const;
};

// What the checks know beyond the executable, when it could be read.
struct CheckContext {
    const std::vector<std::string>* strings = nullptr;  // the game's string table
    std::optional<std::size_t> iconFrames;              // frames of the icon sprite
};

// Every check over the image, in the order of the tables, rows and fields.
std::vector<Problem> CheckTables(const ExeImage& image, const CheckContext& context);
std::size_t CountOf(const std::vector<Problem>& problems, Severity severity);

}  // namespace zorbel
