// Find's query grammar on any text, over an executable of the test kit
// with its unit names.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tables/compare.h"
#include "tools/gamekit/demo_strings.h"
#include "tools/gamekit/game_exe.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto* image = [] {
        auto* held = new zorbel::ExeImage;
        held->hold(gamekit::buildGameExe(2).bytes, 2, "war2.exe");
        return held;
    }();
    static const std::vector<std::string> strings = gamekit::demoStrings();
    const std::string_view query(reinterpret_cast<const char*>(data), size);
    const auto found = zorbel::FindInTables(*image, query, &strings);
    for (std::size_t k = 0; k < found.size(); ++k) {
        if (found[k].field != nullptr && found[k].field->table != found[k].table) {
            __builtin_trap();
        }
        if (k < 16) {  // the text of a few: a common value is found thousands of times
            (void)zorbel::FoundText(found[k], &strings);
        }
    }
    return 0;
}
