#include "tables/default_command_bars.h"

#include <algorithm>

namespace zorbel {

const std::array<DefaultBar, kUnitTypes> DefaultCommandBars = {{
    {288, 10}, {468, 10}, {1048, 8}, {1192, 8},  {288, 10},  {468, 10},  {2280, 9},  {2444, 9},  {720, 9},
    {884, 9},  {1952, 9}, {2116, 9}, {2608, 12}, {2824, 12}, {0, 8},     {144, 8},   {648, 2},   {684, 2},
    {720, 9},  {884, 9},  {720, 9},  {2116, 9},  {288, 10},  {2824, 12}, {1952, 9},  {468, 10},  {3256, 7},
    {3384, 7}, {4200, 5}, {4292, 5}, {3840, 10}, {4020, 10}, {3840, 10}, {4020, 10}, {3840, 10}, {468, 10},
    {288, 10}, {468, 10}, {3512, 9}, {3676, 9},  {4384, 4},  {4456, 4},  {288, 10},  {468, 10},  {2608, 12},
    {4456, 4}, {288, 10}, {468, 10}, {-1, 0},    {3040, 12}, {2608, 12}, {2116, 9},  {2608, 12}, {884, 9},
    {-1, 0},   {468, 10}, {468, 10}, {-1, 0},    {-1, 0},    {-1, 0},    {5512, 6},  {5620, 6},  {6016, 3},
    {6072, 3}, {5728, 2}, {5764, 2}, {-1, 0},    {-1, 0},    {5440, 2},  {5476, 2},  {5400, 1},  {5420, 1},
    {4528, 5}, {4620, 5}, {5288, 3}, {5344, 3},  {4856, 6},  {4964, 6},  {4712, 4},  {4784, 4},  {5800, 6},
    {5908, 6}, {5072, 6}, {5180, 6}, {-1, 0},    {-1, 0},    {-1, 0},    {-1, 0},    {5288, 3},  {5344, 3},
    {5288, 3}, {5344, 3}, {-1, 0},   {-1, 0},    {-1, 0},    {-1, 0},    {5728, 2},  {5764, 2},  {5728, 2},
    {5764, 2}, {-1, 0},   {-1, 0},   {-1, 0},    {-1, 0},    {-1, 0},    {-1, 0},    {-1, 0},    {-1, 0},
    {-1, 0},   {-1, 0},   {-1, 0},   {1336, 8},  {1624, 9},  {1480, 8},  {1788, 9},  {6128, 1},  {6148, 1},
    {6168, 3}, {6368, 8}, {6224, 8},
}};

std::vector<DefaultButton> DefaultButtons(const VersionLayout& layout) {
    constexpr auto kRecord = static_cast<std::uint32_t>(kButtonRecordSize);
    std::vector<DefaultButton> buttons;
    std::vector<std::int32_t> bars;
    for (const DefaultBar& bar : DefaultCommandBars) {
        if (bar.barOffset < 0 || std::find(bars.begin(), bars.end(), bar.barOffset) != bars.end()) {
            continue;
        }
        bars.push_back(bar.barOffset);
        for (std::uint32_t k = 0; k < bar.count; ++k) {
            const std::uint32_t at =
                layout.ButtonTable + static_cast<std::uint32_t>(bar.barOffset) + kRecord * k;
            if (at + kRecord > layout.CommandBarTable) {
                break;
            }
            buttons.push_back({bar.barOffset, k, at});
        }
    }
    return buttons;
}

std::optional<BarButton> DefaultBarButton(std::int32_t x) {
    for (const DefaultBar& bar : DefaultCommandBars) {
        const std::int32_t from = bar.barOffset;
        if (from >= 0 && x >= from && x < from + kButtonRecordSize * bar.count &&
            (x - from) % kButtonRecordSize == 0) {
            return BarButton{from, (x - from) / kButtonRecordSize};
        }
    }
    return std::nullopt;
}

std::int32_t BarOffsetOf(const VersionLayout& l, std::int32_t target) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(target) + l.DataObjectBase - l.ButtonTable);
}

std::int32_t TargetOf(const VersionLayout& l, std::int32_t barOffset) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(barOffset) + l.ButtonTable -
                                     l.DataObjectBase);
}

std::int64_t ButtonFileOffset(const VersionLayout& l, std::int32_t barOffset) {
    return std::int64_t{l.ButtonTable} + barOffset;
}

}  // namespace zorbel
