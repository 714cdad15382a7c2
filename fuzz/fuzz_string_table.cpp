// The string table parser and the unit rows built from it, on any entry.
#include <cstddef>
#include <cstdint>

#include "text/name_lists.h"
#include "text/string_table.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto strings = zorbel::ParseStringTable(zorbel::ByteView(data, size));
    if (size >= 2 && strings.size() > static_cast<std::size_t>(data[0] | (data[1] << 8))) {
        __builtin_trap();
    }
    (void)zorbel::UnitListRows(&strings);
    return 0;
}
