#pragma once

#include <string>
#include <utility>
#include <vector>

#include "exe/exe_image.h"
#include "tables/catalogue.h"
#include "tables/row_names.h"

namespace zorbel {

class AudioOutput;
class Prompts;
class WarArchive;

// What the pages share with the main window for the whole run.
struct PageContext {
    ExeImage& image;
    bool& WriteBackEnabled;
    Prompts& prompts;
    WarArchive& archive;
    AudioOutput& audio;
    const std::vector<std::string>& strings;  // the game's strings; empty until read

    // Runs the write-back of one user action as one step of the history,
    // named after the field and its row. Keystrokes (typing) into the same
    // field of the same row make one step; a pick or a click is a step each.
    template <class Fn>
    void edit(const FieldDef& field, std::int64_t row, bool typing, Fn&& writeBack) {
        const EditScope step(
            image, StepLabel(field, RowName(field.table, row, strings.empty() ? nullptr : &strings)),
            FieldKey(field, row), typing);
        std::forward<Fn>(writeBack)();
    }
};

}  // namespace zorbel
