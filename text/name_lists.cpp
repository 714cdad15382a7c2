#include "text/name_lists.h"

namespace zorbel {

std::array<std::string, kUnitRows> UnitListRows(const std::vector<std::string>* strings) {
    std::array<std::string, kUnitRows> rows;
    rows[49] = "50";
    rows[99] = "100";
    rows[104] = "105 +1";
    static const char* const fixed[] = {
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
    };
    for (std::size_t i = 0; i < std::size(fixed); ++i) {
        rows[105 + i] = fixed[i];
    }
    if (strings == nullptr) {
        return rows;
    }
    for (std::size_t i = 1; i <= 103 && i < strings->size(); ++i) {
        rows[i - 1] = std::to_string(i - 1) + ". " + (*strings)[i];
    }
    if (strings->size() > 104) {
        rows[103] = "103. Human " + (*strings)[104];
        rows[104] = "104. Orc " + (*strings)[104];
    }
    return rows;
}

std::vector<std::string> SoundListRows() {
    std::vector<std::string> rows;
    rows.reserve(kSoundRows);
    for (std::size_t k = 1; k <= kSoundRows; ++k) {
        rows.push_back("Sound #" + std::to_string(k));
    }
    return rows;
}

}  // namespace zorbel
