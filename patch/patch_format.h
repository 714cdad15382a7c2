#pragma once

#include <cstdint>
#include <vector>

#include "base/byte_reader.h"
#include "base/result.h"

namespace zorbel {

using Bytes = std::vector<std::uint8_t>;

// BPS: variable-length numbers, source/target reads and copies, and the
// CRC-32 of source, target and patch. The writer describes the target as
// runs read from the source at the same place (executables edited in
// place), runs copied from anywhere in the source or from the target written
// so far (data moved, inserted, cut or repeated), and literal bytes; its
// time and memory grow linearly with the files.
Bytes CreateBpsPatch(ByteView source, ByteView target);
// Applies a BPS patch; refuses a source whose size or CRC does not match,
// a patch whose own CRC is wrong, and any read or copy outside its buffers.
Result<Bytes> ApplyBpsPatch(ByteView patch, ByteView source);

// IPS: 24-bit offsets, so files of at most 16 MiB; a truncation size after
// the end marker when the target is shorter than the source.
constexpr std::size_t kIpsLimit = 1u << 24;
Result<Bytes> CreateIpsPatch(ByteView source, ByteView target);
Result<Bytes> ApplyIpsPatch(ByteView patch, ByteView source);

// Either format, told apart by its magic.
Result<Bytes> ApplyPatch(ByteView patch, ByteView source);

}  // namespace zorbel
