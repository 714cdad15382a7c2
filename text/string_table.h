#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/byte_reader.h"

namespace zorbel {

// The game's string table (entry 1 of "strdat.war"): a 16-bit count, 16-bit
// offsets from the entry's start, zero-terminated strings. String i spans up
// to the offset of string i+1; zero bytes inside a span, other than its
// first and last byte, read as 0xFF so that the string reads as one text.
// Offsets whose slot lies outside the entry end the table; an offset that
// points outside the entry gives an empty string, keeping the numbering. A
// string is at most 4096 bytes long.
std::vector<std::string> ParseStringTable(ByteView entry);

}  // namespace zorbel
