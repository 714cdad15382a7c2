#include "archive/war_archive.h"

#include <array>
#include <fstream>

#include "archive/lz_decoder.h"
#include "base/byte_reader.h"
#include "base/path_match.h"

namespace zorbel {

namespace {

constexpr std::uint32_t kCompressed = 0x20;

using Bytes = std::vector<std::uint8_t>;

bool readAt(std::istream& f, std::uint64_t offset, std::uint8_t* into, std::size_t length) {
    f.clear();
    f.seekg(static_cast<std::streamoff>(offset));
    f.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(length));
    return f && static_cast<std::size_t>(f.gcount()) == length;
}

}  // namespace

std::string errorOpeningReason(const std::string& archiveName) {
    return "Error Opening " + archiveName;
}

std::optional<std::filesystem::path> findArchive(const std::filesystem::path& gameDir,
                                                 const std::string& name) {
    return findPathIgnoringCase(gameDir, {"data", name});
}

Result<Bytes> ReadWarEntry(const std::filesystem::path& archive, std::int32_t index,
                           const std::string& archiveName) {
    std::error_code ec;
    std::ifstream f(archive, std::ios::binary);
    if (!f || std::filesystem::is_directory(archive, ec)) {
        return Result<Bytes>::failure(errorOpeningReason(archiveName));
    }
    return ReadWarEntry(f, index);
}

Result<Bytes> ReadWarEntry(std::istream& archive, std::int32_t index) {
    archive.seekg(0, std::ios::end);
    const std::streamoff length = archive.tellg();
    if (length < 0) {
        return Result<Bytes>::failure(kDamagedTableReason);
    }
    const auto fileSize = static_cast<std::uint64_t>(length);

    std::array<std::uint8_t, 8> header{};
    if (!readAt(archive, 0, header.data(), header.size())) {
        return Result<Bytes>::failure(kDamagedTableReason);
    }
    const std::uint16_t count = *loadU16(header, 4);
    if (index < 0 || index >= count) {
        return Result<Bytes>::failure(kInvalidIndexReason);
    }
    Bytes table(std::size_t{4} * count);
    if (!readAt(archive, 8, table.data(), table.size())) {
        return Result<Bytes>::failure(kDamagedTableReason);
    }
    const std::uint32_t offset = *loadU32(table, std::uint64_t{4} * static_cast<std::uint32_t>(index));
    // The entry ends at the nearest greater offset of the whole table (it
    // need not be sorted), or at the end of the file.
    std::uint64_t end = fileSize;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t other = *loadU32(table, std::uint64_t{4} * i);
        if (other > offset && other < end) {
            end = other;
        }
    }
    if (end > fileSize || std::uint64_t{offset} + 4 > end) {
        return Result<Bytes>::failure(kEntryOutsideReason);
    }
    std::array<std::uint8_t, 4> entryHeader{};
    Bytes data(static_cast<std::size_t>(end - offset - 4));
    if (!readAt(archive, offset, entryHeader.data(), entryHeader.size()) ||
        !readAt(archive, std::uint64_t{offset} + 4, data.data(), data.size())) {
        return Result<Bytes>::failure(kEntryOutsideReason);
    }
    const std::uint32_t kind = *loadU32(entryHeader, 0);
    if ((kind >> 24) != kCompressed) {
        return data;
    }
    return LzDecode(data, kind & 0x00FFFFFF);
}

}  // namespace zorbel
