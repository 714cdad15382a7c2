#include "pages/units/unit_model.h"

#include "exe/game_tables.h"
#include "pages/commands/command_model.h"

namespace zorbel {

using namespace tables;

namespace {

bool inRows(const ExeImage& image, int row, int rows) {
    return image.held() && row >= 0 && row < rows;
}

std::uint32_t unitRecord(const VersionLayout& l, int row) {
    return l.UnitTable + kUnitRecordSize * static_cast<std::uint32_t>(row);
}
std::uint32_t barEntry(const VersionLayout& l, int row) {
    return l.CommandBarTable + kCommandBarEntrySize * static_cast<std::uint32_t>(row);
}
std::uint32_t fnz(const VersionLayout& l, int row) {
    return l.DeathTable - kFnzOffsetBeforeDeath + 4 * static_cast<std::uint32_t>(row);
}

}  // namespace

std::optional<UnitView> LoadUnitView(const ExeImage& image, int row) {
    if (!inRows(image, row, kUnitListRows)) {
        return std::nullopt;
    }
    const auto& l = image.layout();
    const auto i = static_cast<std::uint32_t>(row);
    UnitView v;
    if (row < kUnitsWithSounds) {
        v.death = image.readU8(l.DeathTable + i).value_or(0);
        UnitView::Sounds s;
        s.ready = image.readU16(l.ReadySoundTable + 2 * i).value_or(0);
        s.ack = image.readPointer(l.ReadySoundTable + kSoundPointerOffset + 4 * i);
        s.attack = image.readU16(l.AttackSoundTable + 2 * i).value_or(0);
        s.selected = image.readPointer(l.AttackSoundTable + kSoundPointerOffset + 4 * i);
        v.sounds = s;
    }
    const CommandBar bar = ReadCommandBar(image, row);
    v.commandCount = bar.count;
    if (bar.found) {
        v.barOffset = BarOffsetOf(l, bar.target);
    }
    if (row < kUnitsWithRecords) {
        const std::uint32_t at = unitRecord(l, row);
        UnitView::Record r;
        r.icon = image.readU16(at).value_or(0);
        r.aux = image.readU16(at + 2).value_or(0);
        r.name = image.readU16(at + 4).value_or(0);
        r.fna = image.readPointer(at + 6);
        r.fnb = image.readPointer(at + 10);
        r.fnz = image.readPointer(fnz(l, row));
        v.record = r;
    }
    return v;
}

void WriteUnitBasics(ExeImage& image, int row, std::int32_t icon, std::int32_t aux, std::int32_t name) {
    if (!inRows(image, row, kUnitsWithRecords)) {
        return;
    }
    const std::uint32_t at = unitRecord(image.layout(), row);
    image.writeU16(at, static_cast<std::uint16_t>(icon));
    image.writeU16(at + 2, static_cast<std::uint16_t>(aux));
    image.writeU16(at + 4, static_cast<std::uint16_t>(name));
}

void WriteUnitPointers(ExeImage& image, int row, std::int32_t fna, std::int32_t fnb) {
    if (!inRows(image, row, kUnitsWithRecords)) {
        return;
    }
    const std::uint32_t at = unitRecord(image.layout(), row);
    image.WriteExePointer(at + 6, static_cast<std::uint32_t>(fna));
    image.WriteExePointer(at + 10, static_cast<std::uint32_t>(fnb));
}

void WriteDeath(ExeImage& image, int row, std::int32_t value) {
    if (inRows(image, row, kUnitsWithSounds)) {
        image.writeU8(image.layout().DeathTable + static_cast<std::uint32_t>(row),
                      static_cast<std::uint8_t>(value));
    }
}

void WriteUnitSounds(ExeImage& image, int row, std::int32_t ready, std::int32_t ack, std::int32_t attack,
                     std::int32_t selected) {
    if (!inRows(image, row, kUnitsWithSounds)) {
        return;
    }
    const auto& l = image.layout();
    const auto i = static_cast<std::uint32_t>(row);
    image.writeU16(l.ReadySoundTable + 2 * i, static_cast<std::uint16_t>(ready));
    image.WriteExePointer(l.ReadySoundTable + kSoundPointerOffset + 4 * i, static_cast<std::uint32_t>(ack));
    image.writeU16(l.AttackSoundTable + 2 * i, static_cast<std::uint16_t>(attack));
    image.WriteExePointer(l.AttackSoundTable + kSoundPointerOffset + 4 * i,
                          static_cast<std::uint32_t>(selected));
}

void WriteCommandCount(ExeImage& image, int row, std::int32_t count) {
    if (inRows(image, row, kUnitListRows)) {
        image.writeU16(barEntry(image.layout(), row), static_cast<std::uint16_t>(count));
    }
}

void WriteBarOffset(ExeImage& image, int row, std::int32_t barOffset) {
    if (inRows(image, row, kUnitListRows)) {
        image.WriteExePointer(barEntry(image.layout(), row) + 2,
                              static_cast<std::uint32_t>(TargetOf(image.layout(), barOffset)));
    }
}

}  // namespace zorbel
