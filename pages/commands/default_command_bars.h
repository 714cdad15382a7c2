#pragma once

#include <array>
#include <cstdint>

namespace zorbel {

// Where each unit's command bar lies in a clean executable, the same in every
// build: BarOffset (relative to ButtonTable) and button count. -1/0: no bar.
struct DefaultBar {
    std::int32_t barOffset;
    std::uint16_t count;
};

constexpr std::size_t kUnitTypes = 120;
extern const std::array<DefaultBar, kUnitTypes> DefaultCommandBars;

}  // namespace zorbel
