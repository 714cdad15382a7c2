// Treats the input as a game archive and extracts its first entries.
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "archive/war_archive.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::istringstream archive(std::string(reinterpret_cast<const char*>(data), size));
    for (std::int32_t index = -1; index < 6; ++index) {
        auto entry = zorbel::ReadWarEntry(archive, index);
        if (index < 0 && entry.ok()) {
            __builtin_trap();
        }
    }
    return 0;
}
