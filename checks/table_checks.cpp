#include "checks/table_checks.h"

#include <algorithm>
#include <map>
#include <utility>

#include "pages/maps/map_model.h"
#include "pages/sounds/sound_model.h"
#include "tables/compare.h"

namespace zorbel {

namespace {

using namespace fields;

class Checker {
  public:
    Checker(const ExeImage& image, const CheckContext& context) : image_(image), context_(context) {}

    std::vector<Problem> run() {
        units();
        unitSounds();
        commandBars();
        buttons();
        sounds();
        actions();
        maps();
        return std::move(out_);
    }

  private:
    void report(Severity severity, std::string_view check, const FieldDef& field, std::int64_t row,
                const std::string& what) {
        out_.push_back(
            {severity, check, &field, row, FieldPlaceText(field, row, context_.strings) + ": " + what});
    }

    std::optional<FieldValue> read(const FieldDef& field, std::int64_t row) const {
        return ReadField(image_, field, row);
    }

    // The tables' function pointers target the code object, whose pages
    // run from PageBase up to the data object: a target at or past that
    // distance lies outside it. A target of -1 in its record is the game's
    // own "none".
    void pointer(const FieldDef& field, std::int64_t row) {
        const auto v = read(field, row);
        if (!v || !v->found || v->value == -1 || v->value == 0xFFFFFFFF) {
            return;
        }
        const std::int64_t code = std::int64_t{image_.layout().DataObjectBase} - image_.layout().PageBase;
        if (v->value < 0 || v->value >= code) {
            report(Severity::Error, "pointer", field, row,
                   "points to " + std::to_string(v->value) + ", outside the code object (0 to " +
                       std::to_string(code - 1) + ")");
        }
    }

    // The unit and button pages pick names and labels from the game's string
    // table: n names its string n (from 1); 0 names none.
    void string(const FieldDef& field, std::int64_t row) {
        const auto v = read(field, row);
        if (context_.strings == nullptr || !v ||
            v->value <= static_cast<std::int64_t>(context_.strings->size())) {
            return;
        }
        report(Severity::Error, "string", field, row,
               "string " + std::to_string(v->value) + "; the game's string table has " +
                   std::to_string(context_.strings->size()));
    }

    // An icon is a frame of the icon sprite, from 0.
    void icon(const FieldDef& field, std::int64_t row) {
        const auto v = read(field, row);
        if (!context_.iconFrames || !v || v->value < static_cast<std::int64_t>(*context_.iconFrames)) {
            return;
        }
        report(Severity::Error, "icon", field, row,
               "icon " + std::to_string(v->value) + "; the icon sprite has " +
                   std::to_string(*context_.iconFrames) + " (0 to " +
                   std::to_string(*context_.iconFrames - 1) + ")");
    }

    void units() {
        for (std::int64_t row = 0; row < UnitIcon.rows; ++row) {
            icon(UnitIcon, row);
            string(UnitName, row);
            for (const FieldDef* f : {&UnitFna, &UnitFnb, &UnitFnz}) {
                pointer(*f, row);
            }
        }
    }

    // Sound numbers count the Sound Table's rows from 1 (its row n - 1); the
    // table has 345. The game's own tables hold no 0 here; it is taken as
    // "no sound".
    void unitSounds() {
        for (std::int64_t row = 0; row < UnitReady.rows; ++row) {
            for (const FieldDef* f : {&UnitReady, &UnitAttack}) {
                const auto v = read(*f, row);
                if (v && v->value > kSounds) {
                    report(Severity::Error, "sound-number", *f, row,
                           "sound " + std::to_string(v->value) + "; the Sound Table has " +
                               std::to_string(kSounds));
                }
            }
            pointer(UnitAck, row);
            pointer(UnitSelected, row);
        }
    }

    // A bar is `count` button records of 18 bytes from its BarOffset. The
    // game's own bars lie in the button area (in builds 0 and 1 some lie
    // beyond it); a bar elsewhere reads other data as buttons.
    static bool inDefaultBar(std::int64_t from, std::int64_t to) {
        return std::any_of(DefaultCommandBars.begin(), DefaultCommandBars.end(), [&](const DefaultBar& b) {
            return b.count > 0 && from >= b.barOffset && to <= b.barOffset + kButtonRecordSize * b.count;
        });
    }

    void commandBars() {
        const VersionLayout& l = image_.layout();
        const std::int64_t area = std::int64_t{l.CommandBarTable} - l.ButtonTable;
        for (std::int64_t row = 0; row < BarCount.rows; ++row) {
            const auto count = read(BarCount, row);
            const auto bar = read(BarData, row);
            if (!count || !bar) {
                continue;
            }
            // A record whose target is -1 is the game's own "no bar".
            const bool none = !bar->found || bar->value == BarOffsetOf(l, -1);
            if (count->value > 0 && none) {
                report(Severity::Error, "bar", BarCount, row,
                       std::to_string(count->value) + " buttons, but the bar has no pointer to them");
                continue;
            }
            if (count->value == 0 && !none) {
                report(Severity::Warning, "bar", BarData, row,
                       "a bar at " + std::to_string(bar->value) + ", but no buttons: the count is 0");
            }
            if (count->value == 0 || none) {
                continue;
            }
            const std::int64_t from = bar->value;
            const std::int64_t to = from + kButtonRecordSize * count->value;
            if (l.ButtonTable + from < 0 || l.ButtonTable + to > static_cast<std::int64_t>(image_.size())) {
                report(Severity::Error, "bar", BarData, row,
                       "its " + std::to_string(count->value) + " buttons from " + std::to_string(from) +
                           " run past the end of the file");
            } else if ((from < 0 || to > area) && !inDefaultBar(from, to)) {
                report(Severity::Error, "bar", BarData, row,
                       "its " + std::to_string(count->value) + " buttons from " + std::to_string(from) +
                           " run outside the button table (0 to " + std::to_string(area) + ")");
            }
        }
    }

    void buttons() {
        for (const std::int64_t row : TableRows(TableId::Buttons, image_.layout())) {
            icon(ButtonIcon, row);
            string(ButtonLabel, row);
            pointer(ButtonReqFn, row);
            pointer(ButtonActFn, row);
        }
    }

    // The Repeat boxes' own rule: of the sounds of one side that play one
    // archive entry, the first has Repeat off and every later one has it
    // on, "or else the game will crash on exit".
    void sounds() {
        for (const FieldDef* side : {&SoundHuman, &SoundOrc}) {
            std::map<std::pair<int, int>, std::int64_t>
                first;  // (archive, entry) -> the row that plays it first
            for (std::int64_t row = 0; row < side->rows; ++row) {
                const auto v = read(*side, row);
                if (!v || v->value == 0xFFFF) {
                    continue;
                }
                const SoundWord w = DecodeSoundWord(static_cast<std::uint16_t>(v->value));
                if (w.selector == 0) {
                    continue;
                }
                const std::string entry = std::string(kSoundArchives[static_cast<std::size_t>(w.selector)]) +
                                          " entry " + std::to_string(w.entry);
                const auto [at, fresh] = first.try_emplace({w.selector, w.entry}, row);
                if (fresh && w.repeat) {
                    report(
                        Severity::Error, "sound-repeat", *side, row,
                        "Repeat is on, but it is the first to play " + entry + "; the game crashes on exit");
                } else if (!fresh && !w.repeat) {
                    report(Severity::Error, "sound-repeat", *side, row,
                           "Repeat is off, but Sound #" + std::to_string(at->second + 1) + " plays " + entry +
                               " first; the game crashes on exit");
                }
            }
        }
    }

    void actions() {
        for (std::int64_t row = 0; row < ActionFna.rows; ++row) {
            for (const FieldDef* f : {&ActionFna, &ActionFnb, &ActionFnc}) {
                pointer(*f, row);
            }
        }
    }

    // The victory conditions the campaigns know are the objectives the Maps
    // page names; any other number names none.
    void maps() {
        for (std::int64_t row = 0; row < MapObjective.rows; ++row) {
            const auto v = read(MapObjective, row);
            if (v && v->value >= kObjectives) {
                report(Severity::Warning, "objective", MapObjective, row,
                       "objective " + std::to_string(v->value) + "; the campaigns know " +
                           std::to_string(kObjectives) + " (0 to " + std::to_string(kObjectives - 1) + ")");
            }
        }
    }

    const ExeImage& image_;
    const CheckContext& context_;
    std::vector<Problem> out_;
};

}  // namespace

std::string_view SeverityName(Severity severity) {
    switch (severity) {
        case Severity::Error:
            return "error";
        case Severity::Warning:
            return "warning";
        case Severity::Note:
            break;
    }
    return "note";
}

std::string Problem::key() const {
    return std::string(check) + " " + std::string(TableOf(field->table).key) + " " + std::to_string(row) +
           " " + std::string(field->key);
}

std::vector<Problem> CheckTables(const ExeImage& image, const CheckContext& context) {
    if (!image.held()) {
        return {};
    }
    return Checker(image, context).run();
}

std::size_t CountOf(const std::vector<Problem>& problems, Severity severity) {
    return static_cast<std::size_t>(std::count_if(problems.begin(), problems.end(),
                                                  [&](const Problem& p) { return p.severity == severity; }));
}

}  // namespace zorbel
