#pragma once

#include <string>

namespace gamekit {

// Writes a demo game folder: WAR2.EXE of the given build, ZORBELED.EXE (a
// modified copy of it), one executable of every build in "builds", and the
// DATA folder with the six archives. Returns an error text or "".
std::string writeDemoGame(const std::string& folder, int build);

}  // namespace gamekit
