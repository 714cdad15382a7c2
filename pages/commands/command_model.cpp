#include "pages/commands/command_model.h"

#include <array>

#include "exe/game_tables.h"
#include "pages/commands/default_command_bars.h"

namespace zorbel {

CommandBar ReadCommandBar(const ExeImage& image, int unit) {
    CommandBar bar;
    if (!image.held() || unit < 0 || unit >= static_cast<int>(kUnitTypes)) {
        return bar;
    }
    const std::uint32_t at =
        image.layout().CommandBarTable + tables::kCommandBarEntrySize * static_cast<std::uint32_t>(unit);
    bar.count = image.readU16(at).value_or(0);
    const PointerRead p = image.readPointer(at + 2);
    bar.target = p.target;
    bar.found = p.found;
    return bar;
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

std::optional<ButtonRecord> ReadButtonRecord(const ExeImage& image, std::int64_t offset) {
    if (!image.held() || offset < 0 ||
        !fitsIn(image.size(), static_cast<std::uint64_t>(offset), kButtonRecordSize)) {
        return std::nullopt;
    }
    const auto at = static_cast<std::uint64_t>(offset);
    ButtonRecord r;
    r.position = *image.readU16(at);
    r.icon = *image.readU16(at + 2);
    r.reqFn = image.readPointer(static_cast<std::int64_t>(at + 4));
    r.actFn = image.readPointer(static_cast<std::int64_t>(at + 8));
    r.actParam = *image.readU8(at + 12);
    r.reqParam = *image.readU8(at + 13);
    r.label = *image.readU16(at + 14);
    r.flags = *image.readU16(at + 16);
    return r;
}

void WriteButtonRecord(ExeImage& image, std::int64_t offset, const ButtonValues& v) {
    if (!ReadButtonRecord(image, offset)) {
        return;
    }
    const auto at = static_cast<std::uint64_t>(offset);
    image.WriteExePointer(static_cast<std::int64_t>(at + 4), static_cast<std::uint32_t>(v.reqFn));
    image.WriteExePointer(static_cast<std::int64_t>(at + 8), static_cast<std::uint32_t>(v.actFn));
    image.writeU16(at, static_cast<std::uint16_t>(v.position));
    image.writeU16(at + 2, static_cast<std::uint16_t>(v.icon));
    image.writeU8(at + 12, static_cast<std::uint8_t>(v.actParam));
    image.writeU8(at + 13, static_cast<std::uint8_t>(v.reqParam));
    image.writeU16(at + 14, static_cast<std::uint16_t>(v.label));
    image.writeU16(at + 16, static_cast<std::uint16_t>(v.flags));
}

bool InsideButtonArea(const VersionLayout& l, std::int32_t barOffset) {
    const std::int64_t at = ButtonFileOffset(l, barOffset);
    return at >= l.ButtonTable && at + kButtonRecordSize <= l.CommandBarTable;
}

std::vector<CommandGroup> BuildCommandGroups() {
    std::vector<CommandGroup> groups;
    for (const DefaultBar& bar : DefaultCommandBars) {
        if (bar.barOffset == -1) {
            continue;
        }
        bool seen = false;
        for (const CommandGroup& g : groups) {
            seen = seen || g.barOffset == bar.barOffset;
        }
        if (!seen) {
            groups.push_back({bar.barOffset, bar.count});
        }
    }
    return groups;
}

std::string CommandGroupRowText(const CommandGroup& group) {
    return std::to_string(group.barOffset) + "- Cmds:" + std::to_string(group.count);
}

std::vector<int> FindButtonUsers(const ExeImage& image, std::int32_t x) {
    std::vector<int> users;
    if (!image.held()) {
        return users;
    }
    for (int u = 0; u < static_cast<int>(kUnitTypes); ++u) {
        const CommandBar bar = ReadCommandBar(image, u);
        if (!bar.found || bar.count == 0) {
            continue;
        }
        const std::int64_t start = BarOffsetOf(image.layout(), bar.target);
        const std::int64_t end = start + std::int64_t{kButtonRecordSize} * bar.count - 1;
        if (start <= x && x <= end) {
            users.push_back(u);
        }
    }
    return users;
}

std::string ButtonRowText(int k, std::uint16_t label, const std::vector<std::string>& labels) {
    std::string text = std::to_string(k) + " - ";
    if (label >= 1 && label <= labels.size()) {
        text += labels[label - 1u];
    }
    return text;
}

}  // namespace zorbel
