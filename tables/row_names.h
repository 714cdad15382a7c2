#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tables/catalogue.h"

namespace zorbel {

// How the pages name a table's rows, as plain text: units from the game's
// strings ("3. Peon"), sounds by number, actions and maps by their fixed
// texts, buttons by bar and place ("bar 288, button 3"). `strings` is the
// game's string table, or null before it is read.
std::string RowName(TableId table, std::int64_t row, const std::vector<std::string>* strings);

// The Sound Table's rows: "Sound #1" ... "Sound #345".
std::vector<std::string> SoundListRows();

// The Spell Editor's rows: "<i> - <name>", "?" for actions without a name.
std::string SpellRowText(int action);

// The Maps page's rows: "human 1 ", "orc 1", "human 2 ", ... "orc exp 12".
std::vector<std::string> MapRowTexts();

}  // namespace zorbel
