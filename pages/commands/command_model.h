#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tables/default_command_bars.h"

namespace zorbel {

// A unit's command-bar entry: the button count and where the bar starts.
struct CommandBar {
    std::uint16_t count = 0;
    std::int32_t barOffset = -1;
    bool found = false;  // whether a fixup record relocates the pointer
};

// An 18-byte button record; the two functions are fixup targets (-1 and not
// found when no record relocates them).
struct ButtonRecord {
    std::uint16_t position = 0;
    std::uint16_t icon = 0;
    PointerRead reqFn;
    PointerRead actFn;
    std::uint8_t actParam = 0;
    std::uint8_t reqParam = 0;
    std::uint16_t label = 0;
    std::uint16_t flags = 0;
};

// The numbers typed into the page, stored cut to their fields' widths.
struct ButtonValues {
    std::int32_t position = 0, icon = 0, reqFn = 0, actFn = 0, actParam = 0, reqParam = 0, label = 0,
                 flags = 0;
};

struct CommandGroup {
    std::int32_t barOffset;
    std::uint16_t count;
};

CommandBar ReadCommandBar(const ExeImage& image, int unit);

// The record at BarOffset x; nothing when it does not lie wholly inside the image.
std::optional<ButtonRecord> ReadButtonRecord(const ExeImage& image, std::int32_t x);
// Pointers through their fixup records first, then bytes 0-3 and 12-17;
// bytes 4-11 are never touched. Nothing outside the image is written.
void WriteButtonRecord(ExeImage& image, std::int32_t x, const ButtonValues& values);

// Whether the record at BarOffset lies wholly in the button area, between
// ButtonTable and the command-bar table (builds 0 and 1 are shorter than
// the default bars).
bool InsideButtonArea(const VersionLayout& layout, std::int32_t barOffset);

// The distinct default bars in first-occurrence order: 58 groups.
std::vector<CommandGroup> BuildCommandGroups();
std::string CommandGroupRowText(const CommandGroup& group);  // "288- Cmds:10"

// Units, ascending, whose bar in the open executable holds the button at
// BarOffset x. Units whose bar pointer has no fixup record hold nothing.
std::vector<int> FindButtonUsers(const ExeImage& image, std::int32_t x);

// "<k> - " and the label's text (row label - 1 of the label list, empty when
// there is none), as raw game bytes.
std::string ButtonRowText(int k, std::uint16_t label, const std::vector<std::string>& labels);

}  // namespace zorbel
