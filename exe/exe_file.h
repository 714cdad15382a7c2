#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace zorbel {

// The largest file the editor reads whole; the game's executable is about 1 MB.
constexpr std::uint64_t kMaxExecutableSize = 64ull << 20;

// The file name part of a path: the text after the last "\", "/" or ":".
std::string fileNamePart(std::string_view path);

// Whether saving under this path is refused: its file name part is WAR2.EXE
// in any letter case.
bool isProtectedSaveName(std::string_view path);

// Whether two paths name one file, also when the second does not exist yet.
bool SameFile(const std::string& a, const std::string& b);

// Reads a whole file of at most maxSize bytes; the error is the system's reason.
Result<std::vector<std::uint8_t>> readWholeFile(const std::string& path, std::uint64_t maxSize);

// How the bytes reach the file; tests swap in one that fails part-way.
using ChunkWriter = std::function<std::size_t(const std::uint8_t* data, std::size_t size, std::FILE* file)>;

// Writes the bytes to a new file beside `path` and renames it over `path`
// only once every byte is written, so a failed save leaves the old file as
// it was. The error is the system's reason.
Status writeFileReplacing(const std::string& path, ByteView bytes, const ChunkWriter& writer = {});

}  // namespace zorbel
