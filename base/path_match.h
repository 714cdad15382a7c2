#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace zorbel {

// Finds base/part1/part2/... on disk, matching each part without regard to
// ASCII letter case, as the game's folders are spelt "DATA" or "data" and
// its files "MAINDAT.WAR" or "maindat.war". An exact match is preferred.
std::optional<std::filesystem::path> findPathIgnoringCase(const std::filesystem::path& base,
                                                          const std::vector<std::string>& parts);

}  // namespace zorbel
