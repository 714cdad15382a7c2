#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "base/result.h"

namespace zorbel {

inline constexpr const char* kInvalidIndexReason = "An invalid file index was specified!";
inline constexpr const char* kDamagedTableReason = "The archive's entry table is damaged.";
inline constexpr const char* kEntryOutsideReason = "The entry lies outside the archive.";
inline constexpr const char* kExtractionErrorPrefix = "A fatal error has occured during extraction! ";

std::string errorOpeningReason(const std::string& archiveName);

// Entry `index` of a game archive, decompressed when stored compressed. Reads
// the header, the offset table and that entry only. The error is the reason
// alone; `archiveName` is the name as the caller spelt it, for the message.
Result<std::vector<std::uint8_t>> ReadWarEntry(const std::filesystem::path& archive, std::int32_t index,
                                               const std::string& archiveName);
// The same from an open stream of the whole archive.
Result<std::vector<std::uint8_t>> ReadWarEntry(std::istream& archive, std::int32_t index);

// GameDir/data/<name>, each part matched without regard to letter case.
std::optional<std::filesystem::path> findArchive(const std::filesystem::path& gameDir,
                                                 const std::string& name);

}  // namespace zorbel
