#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "exe/change_set.h"

namespace zorbel {

// The field a step changed, by the catalogue's keys: table, row, field.
// Empty for a step that names no field.
struct StepKey {
    std::string table;
    std::int64_t row = -1;
    std::string field;
    bool operator==(const StepKey&) const = default;
};

// One user action: its name ("Icon of 3. Peon"), the field it is about and
// the bytes it changed. A mergeable step takes in the next one of the same
// field, so that keystrokes into one box make one step.
struct EditStep {
    std::string label;
    StepKey key;
    bool mergeable = false;
    ChangeSet changes;
};

// The steps that can be undone and redone, oldest first. It only keeps the
// steps; the image applies them.
class EditHistory {
  public:
    static constexpr std::size_t kMaxSteps = 10000;
    static constexpr std::size_t kMaxBytes = 32u << 20;

    void setLimits(std::size_t maxSteps, std::size_t maxBytes);

    // A finished step. It merges into the last one when both are mergeable
    // edits of the same field and nothing came between; a step (or a merge)
    // that leaves every byte as it was is dropped; anything recorded clears
    // the steps that could be redone. The oldest steps go when the limits
    // are passed, never the newest.
    void push(EditStep step);
    // The next step starts afresh instead of merging.
    void seal() { sealed_ = true; }
    void clear();

    const EditStep* nextUndo() const { return done_.empty() ? nullptr : &done_.back(); }
    const EditStep* nextRedo() const { return undone_.empty() ? nullptr : &undone_.back(); }
    // Moves the next undo step to the redo steps (or back); the caller has
    // applied its bytes.
    void stepBack();
    void stepForward();

    std::size_t undoCount() const { return done_.size(); }
    std::size_t redoCount() const { return undone_.size(); }
    std::size_t recordedBytes() const { return bytes_; }

  private:
    void shrink();

    std::deque<EditStep> done_;
    std::vector<EditStep> undone_;
    std::size_t bytes_ = 0;
    std::size_t maxSteps_ = kMaxSteps;
    std::size_t maxBytes_ = kMaxBytes;
    bool sealed_ = true;
};

}  // namespace zorbel
