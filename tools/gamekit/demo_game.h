#pragma once

#include <string>

namespace gamekit {

// Writes a demo game folder: WAR2.EXE of the given build, one executable of
// every build beside it, and the DATA folder. Returns an error text or "".
std::string writeDemoGame(const std::string& folder, int build);

}  // namespace gamekit
