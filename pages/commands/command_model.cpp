#include "pages/commands/command_model.h"

#include <array>
#include <utility>

namespace zorbel {

using namespace fields;

CommandBar ReadCommandBar(const ExeImage& image, int unit) {
    CommandBar bar;
    const auto count = ReadField(image, BarCount, unit);
    const auto data = ReadField(image, BarData, unit);
    if (count) {
        bar.count = static_cast<std::uint16_t>(count->value);
    }
    if (data && data->found) {
        bar.barOffset = static_cast<std::int32_t>(data->value);
        bar.found = true;
    }
    return bar;
}

std::optional<ButtonRecord> ReadButtonRecord(const ExeImage& image, std::int32_t x) {
    if (!image.held()) {
        return std::nullopt;
    }
    const std::int64_t at = ButtonFileOffset(image.layout(), x);
    if (at < 0 || !fitsIn(image.size(), static_cast<std::uint64_t>(at), kButtonRecordSize)) {
        return std::nullopt;
    }
    auto value = [&](const FieldDef& f) {
        return ReadFieldAt(image, f, FieldPosition(f, image.layout(), x)).value();
    };
    auto pointer = [&](const FieldDef& f) {
        const FieldValue v = value(f);
        return PointerRead{static_cast<std::int32_t>(v.value), v.found};
    };
    ButtonRecord r;
    r.position = static_cast<std::uint16_t>(value(ButtonPosition).value);
    r.icon = static_cast<std::uint16_t>(value(ButtonIcon).value);
    r.reqFn = pointer(ButtonReqFn);
    r.actFn = pointer(ButtonActFn);
    r.actParam = static_cast<std::uint8_t>(value(ButtonActParam).value);
    r.reqParam = static_cast<std::uint8_t>(value(ButtonReqParam).value);
    r.label = static_cast<std::uint16_t>(value(ButtonLabel).value);
    r.flags = static_cast<std::uint16_t>(value(ButtonFlags).value);
    return r;
}

void WriteButtonRecord(ExeImage& image, std::int32_t x, const ButtonValues& v) {
    if (!ReadButtonRecord(image, x)) {
        return;
    }
    const auto order = std::to_array<std::pair<const FieldDef*, std::int32_t>>({
        {&ButtonReqFn, v.reqFn},
        {&ButtonActFn, v.actFn},
        {&ButtonPosition, v.position},
        {&ButtonIcon, v.icon},
        {&ButtonActParam, v.actParam},
        {&ButtonReqParam, v.reqParam},
        {&ButtonLabel, v.label},
        {&ButtonFlags, v.flags},
    });
    for (const auto& [field, value] : order) {
        WriteFieldAt(image, *field, FieldPosition(*field, image.layout(), x), value);
    }
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
    for (int u = 0; u < static_cast<int>(BarCount.rows); ++u) {
        const CommandBar bar = ReadCommandBar(image, u);
        if (!bar.found || bar.count == 0) {
            continue;
        }
        const std::int64_t start = bar.barOffset;
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
