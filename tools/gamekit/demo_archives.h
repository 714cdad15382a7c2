#pragma once

#include <string>

namespace gamekit {

// Icons in the demo game's icon sprite (MAINDAT.WAR entry 356).
constexpr int kDemoIcons = 210;
// Wave entries in SNDDAT.WAR and SFXDAT.SUD.
constexpr int kDemoSoundEntries = 120;
constexpr int kDemoEffectEntries = 400;

// Writes the six game archives into `dataFolder`. Returns an error text or "".
std::string writeDemoArchives(const std::string& dataFolder);

}  // namespace gamekit
