#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace gamekit {

// Hand-made patches for the appliers' tests, written from the formats'
// descriptions, with commands and records the editor's writers never make.

// CRC-32 as zlib computes it, bit by bit.
std::uint32_t crc32(const std::vector<std::uint8_t>& data);

// BPS: numbers of seven bits a byte, lowest first, the last byte marked and
// each further byte counting one more than its bits say.
enum BpsCommand { SourceRead, TargetRead, SourceCopy, TargetCopy };
struct BpsStep {
    BpsCommand command;
    std::size_t length;
    std::int64_t delta = 0;  // copies: the move of the relative offset before the copy
    std::string bytes = {};  // TargetRead
};
// A patch with the sizes of `source` and `target`, the metadata, the steps
// and the checksums of source, target and the patch itself.
std::vector<std::uint8_t> bpsPatch(const std::vector<std::uint8_t>& source,
                                   const std::vector<std::uint8_t>& target, const std::vector<BpsStep>& steps,
                                   const std::string& metadata = "");

// IPS: "PATCH", the records as given (a 24-bit offset and a 16-bit size,
// high bytes first; size 0 a run of one byte with a 16-bit length), "EOF"
// and what follows it.
std::vector<std::uint8_t> ipsPatch(const std::vector<std::vector<std::uint8_t>>& records,
                                   const std::vector<std::uint8_t>& tail = {});

// A changed copy of `data` as other tools make them: one byte in a hundred
// changed at random places, a block of 64 KiB inserted in the middle and a
// block of 32 KiB deleted a fifth of the way further on (each cut to fit a
// small file). The same for the same seed.
std::vector<std::uint8_t> shiftedCopy(const std::vector<std::uint8_t>& data, std::uint64_t seed);

}  // namespace gamekit
