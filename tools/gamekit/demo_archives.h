#pragma once

#include <string>

namespace gamekit {

// Writes the six game archives into `dataFolder`. Returns an error text or "".
std::string writeDemoArchives(const std::string& dataFolder);

}  // namespace gamekit
