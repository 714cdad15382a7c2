#include "exe/exe_image.h"

#include <algorithm>
#include <array>

namespace zorbel {

namespace {

bool isProbeText(std::uint8_t b) {
    return b == 0 || (b >= 0x20 && b <= 0x7D);
}

}  // namespace

std::int32_t DetectGameVersion(ByteView image) {
    for (int v = 0; v < kBuildCount; ++v) {
        const std::uint32_t probe = VersionProbe[static_cast<std::size_t>(v)];
        if (!fitsIn(image.size(), probe, kProbeLength)) {
            continue;
        }
        auto text = image.subspan(probe, kProbeLength);
        if (std::all_of(text.begin(), text.end(), isProbeText)) {
            return v;
        }
    }
    return kNoGame;
}

const VersionLayout& ExeImage::layout() const {
    // Callers ask only while an image is held; build 0 stands in otherwise so
    // that a stray call reads a layout, never an index out of range.
    return VersionLayouts[held() ? static_cast<std::size_t>(version_) : 0];
}

void ExeImage::hold(std::vector<std::uint8_t> bytes, std::int32_t version, std::string fileName) {
    index_.clear();
    bytes_ = std::move(bytes);
    forgetSaved();
    unsaved_.clear();
    history_.clear();
    open_.changes = {};  // a step still open belongs to the image before
    version_ = (version >= 0 && version < kBuildCount) ? version : kNoGame;
    fileName_ = std::move(fileName);
    ++revision_;
    changed();
}

void ExeImage::release() {
    index_.clear();
    std::vector<std::uint8_t>().swap(bytes_);
    forgetSaved();
    unsaved_.clear();
    history_.clear();
    open_.changes = {};
    version_ = kNoGame;
    fileName_.clear();
    ++revision_;
    changed();
}

void ExeImage::markSaved() {
    forgetSaved();
    unsaved_.clear();
    history_.seal();
    changed();
}

void ExeImage::forgetSaved() {
    std::vector<std::uint8_t>().swap(saved_);
    savedCopied_ = false;
}

void ExeImage::changed() {
    if (listener_) {
        listener_();
    }
}

void ExeImage::beginStep(std::string label, StepKey key, bool mergeable) {
    if (depth_++ == 0) {
        open_ = EditStep{std::move(label), std::move(key), mergeable, {}};
    }
}

void ExeImage::endStep() {
    if (depth_ == 0 || --depth_ > 0) {
        return;
    }
    history_.push(std::move(open_));
    open_ = {};
    changed();
}

bool ExeImage::write(std::uint64_t offset, ByteView data) {
    if (!fitsIn(bytes_.size(), offset, data.size())) {
        return false;
    }
    const auto at = static_cast<std::size_t>(offset);
    const ByteView current = ByteView(bytes_).subspan(at, data.size());
    if (std::equal(data.begin(), data.end(), current.begin())) {
        return true;  // nothing changes, so nothing is recorded
    }
    // A write outside any step is a step of its own.
    const bool own = depth_ == 0;
    if (own) {
        beginStep("Change");
    }
    open_.changes.add(at, current, data);
    put(at, data);
    changed();
    if (own) {
        endStep();
    }
    return true;
}

void ExeImage::put(std::size_t at, ByteView data) {
    // A write into the fixup tables other than a pointer's target may move
    // records: the index then starts afresh.
    const VersionLayout& l = layout();
    if (!writingPointer_ && at < l.PageBase && at + data.size() > l.FixupPageTable) {
        index_.clear();
    }
    if (!savedCopied_) {
        saved_ = bytes_;  // the saved bytes, before the first write since
        savedCopied_ = true;
    }
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(at));
    // Keep the ranges that differ from the saved bytes exact over what was written.
    unsaved_.erase(at, at + data.size());
    std::size_t k = 0;
    while (k < data.size()) {
        if (bytes_[at + k] == saved_[at + k]) {
            ++k;
            continue;
        }
        const std::size_t from = k;
        while (k < data.size() && bytes_[at + k] != saved_[at + k]) {
            ++k;
        }
        unsaved_.insert(at + from, at + k);
    }
    ++revision_;
}

void ExeImage::apply(const ChangeSet& changes, bool forward) {
    const auto& runs = changes.runs();
    if (forward) {
        for (const ByteRun& run : runs) {
            put(run.offset, run.after);
        }
    } else {
        for (std::size_t k = runs.size(); k-- > 0;) {
            put(runs[k].offset, runs[k].before);
        }
    }
}

std::optional<StepKey> ExeImage::undo() {
    const EditStep* step = history_.nextUndo();
    if (step == nullptr || depth_ > 0) {
        return std::nullopt;
    }
    StepKey key = step->key;
    apply(step->changes, false);
    history_.stepBack();
    changed();
    return key;
}

std::optional<StepKey> ExeImage::redo() {
    const EditStep* step = history_.nextRedo();
    if (step == nullptr || depth_ > 0) {
        return std::nullopt;
    }
    StepKey key = step->key;
    apply(step->changes, true);
    history_.stepForward();
    changed();
    return key;
}

bool ExeImage::writeU8(std::uint64_t offset, std::uint8_t value) {
    return write(offset, std::array{value});
}

bool ExeImage::writeU16(std::uint64_t offset, std::uint16_t value) {
    std::array<std::uint8_t, 2> b{};
    storeU16(b, 0, value);
    return write(offset, b);
}

bool ExeImage::writeU32(std::uint64_t offset, std::uint32_t value) {
    std::array<std::uint8_t, 4> b{};
    storeU32(b, 0, value);
    return write(offset, b);
}

PointerRecords ExeImage::pointerRecords(std::int64_t position) const {
    if (!held()) {
        return {};
    }
    return index_.find(bytes_, layout(), position);
}

PointerRead ExeImage::readPointer(std::int64_t position) const {
    auto records = pointerRecords(position);
    if (!records.first) {
        return {};
    }
    return {static_cast<std::int32_t>(records.first->target), true};
}

std::int32_t ExeImage::ReadExePointer(std::int64_t position) {
    PointerRead r = readPointer(position);
    pointerFound_ = r.found;
    return r.target;
}

void ExeImage::WriteExePointer(std::int64_t position, std::uint32_t target) {
    if (!held()) {
        return;
    }
    const auto edits = TargetEdits(index_.find(bytes_, layout(), position), target);
    const EditScope step(*this, "Change");
    writingPointer_ = true;
    for (const ByteEdit& edit : edits) {
        write(edit.offset, edit.bytes);
    }
    writingPointer_ = false;
}

}  // namespace zorbel
