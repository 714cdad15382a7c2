#include "exe/edit_history.h"

namespace zorbel {

void EditHistory::setLimits(std::size_t maxSteps, std::size_t maxBytes) {
    maxSteps_ = maxSteps == 0 ? 1 : maxSteps;
    maxBytes_ = maxBytes;
    shrink();
}

void EditHistory::push(EditStep step) {
    step.changes.trim();
    if (step.changes.empty()) {
        return;
    }
    for (const EditStep& s : undone_) {
        bytes_ -= s.changes.recordedBytes();
    }
    undone_.clear();
    if (!sealed_ && step.mergeable && !done_.empty() && done_.back().mergeable &&
        done_.back().key == step.key) {
        EditStep& last = done_.back();
        bytes_ -= last.changes.recordedBytes();
        last.changes.add(step.changes);
        last.changes.trim();
        if (last.changes.empty()) {
            done_.pop_back();
            sealed_ = true;
            return;
        }
        bytes_ += last.changes.recordedBytes();
        shrink();
        return;
    }
    bytes_ += step.changes.recordedBytes();
    sealed_ = !step.mergeable;
    done_.push_back(std::move(step));
    shrink();
}

void EditHistory::clear() {
    done_.clear();
    undone_.clear();
    bytes_ = 0;
    sealed_ = true;
}

void EditHistory::stepBack() {
    if (done_.empty()) {
        return;
    }
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    sealed_ = true;
}

void EditHistory::stepForward() {
    if (undone_.empty()) {
        return;
    }
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    sealed_ = true;
}

void EditHistory::shrink() {
    while (done_.size() > 1 && (done_.size() + undone_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= done_.front().changes.recordedBytes();
        done_.pop_front();
    }
}

}  // namespace zorbel
