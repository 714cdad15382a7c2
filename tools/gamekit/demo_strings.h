#pragma once

#include <string>
#include <vector>

namespace gamekit {

// The demo game's string table: string 0, the unit names (unit row i shows
// string i + 1, string 104 the wall), then button labels whose hot keys are
// drawn in yellow by the game's colour bytes.
std::vector<std::string> demoStrings();

// The first label string; a button's label number L shows string L - 1.
constexpr int kFirstLabelString = 105;
int demoLabelCount();

}  // namespace gamekit
