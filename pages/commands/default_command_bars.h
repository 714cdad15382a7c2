#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "exe/version_layout.h"

namespace zorbel {

// Where each unit's command bar lies in a clean executable, the same in every
// build: BarOffset (relative to ButtonTable) and button count. -1/0: no bar.
struct DefaultBar {
    std::int32_t barOffset;
    std::uint16_t count;
};

constexpr std::size_t kUnitTypes = 120;
extern const std::array<DefaultBar, kUnitTypes> DefaultCommandBars;

// One button of a distinct default bar, where a build keeps it.
struct DefaultButton {
    std::int32_t barOffset;  // of its bar
    std::uint32_t index;     // within its bar, from 0
    std::uint32_t record;    // file offset of its 18-byte record
};

// The buttons of the distinct default bars, bar by bar in first-occurrence
// order, as far as they lie wholly in the build's button area (in builds 0
// and 1 the last bars lie beyond it).
std::vector<DefaultButton> DefaultButtons(const VersionLayout& layout);

}  // namespace zorbel
