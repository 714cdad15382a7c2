#include "text/name_lists.h"

namespace zorbel {

std::string UnitListRow(std::size_t row, const std::vector<std::string>* strings) {
    static const auto fixed = std::to_array<const char*>({
        "105. Corpse",
        "106. Destroyed site 1",
        "107. Destroyed site 2",
        "108. Destroyed site 3",
        "109. Destroyed site 4",
        "110. *Blank",
        "111. *Human Basic Build",
        "112. *Human Advanced Build",
        "113. *Orc Basic Build",
        "114. *Orc Advanced Build",
        "115. *Cancel",
        "116. *Cancel (2?)",
        "117. *Cancel Group",
        "118. *Group Human",
        "119. *Group Orc",
    });
    if (row >= kUnitRows) {
        return {};
    }
    if (row >= 105) {
        return fixed[row - 105];
    }
    const std::size_t have = strings == nullptr ? 0 : strings->size();
    if (row <= 102 && row + 1 < have) {
        return std::to_string(row) + ". " + (*strings)[row + 1];
    }
    if (row >= 103 && have > 104) {
        return std::to_string(row) + (row == 103 ? ". Human " : ". Orc ") + (*strings)[104];
    }
    // Placeholders of rows whose string the table lacks.
    switch (row) {
        case 49:
            return "50";
        case 99:
            return "100";
        case 104:
            return "105 +1";
        default:
            return {};
    }
}

std::array<std::string, kUnitRows> UnitListRows(const std::vector<std::string>* strings) {
    std::array<std::string, kUnitRows> rows;
    for (std::size_t i = 0; i < kUnitRows; ++i) {
        rows[i] = UnitListRow(i, strings);
    }
    return rows;
}

}  // namespace zorbel
