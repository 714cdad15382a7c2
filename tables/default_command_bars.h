#pragma once

#include <array>
#include <cstdint>
#include <optional>
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
constexpr std::int32_t kButtonRecordSize = 18;
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

// The default bar that holds the button at BarOffset x, and the button's
// index in it (from 0); nothing when x starts no button of a default bar.
struct BarButton {
    std::int32_t barOffset;
    std::int32_t index;
};
std::optional<BarButton> DefaultBarButton(std::int32_t x);

// BarOffset (relative to ButtonTable) from a pointer target, and back.
std::int32_t BarOffsetOf(const VersionLayout& layout, std::int32_t target);
std::int32_t TargetOf(const VersionLayout& layout, std::int32_t barOffset);
std::int64_t ButtonFileOffset(const VersionLayout& layout, std::int32_t barOffset);

}  // namespace zorbel
