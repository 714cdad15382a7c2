#pragma once

#include <array>
#include <string>
#include <vector>

namespace zorbel {

constexpr std::size_t kUnitRows = 120;

// The unit list: rows 0-102 "<row>. " and string row+1, 103 and 104 the
// human and orc forms of string 104, 105-119 fixed. Rows whose string the
// table lacks keep their placeholder; with no table at all every row does.
std::array<std::string, kUnitRows> UnitListRows(const std::vector<std::string>* strings);
// One row of it; empty for a row outside 0-119.
std::string UnitListRow(std::size_t row, const std::vector<std::string>* strings);

}  // namespace zorbel
