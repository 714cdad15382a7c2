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
    version_ = (version >= 0 && version < kBuildCount) ? version : kNoGame;
    fileName_ = std::move(fileName);
    ++revision_;
    savedRevision_ = revision_;
    changed();
}

void ExeImage::release() {
    index_.clear();
    std::vector<std::uint8_t>().swap(bytes_);
    version_ = kNoGame;
    fileName_.clear();
    ++revision_;
    savedRevision_ = revision_;
    changed();
}

void ExeImage::markSaved() {
    savedRevision_ = revision_;
    changed();
}

void ExeImage::changed() {
    if (listener_) {
        listener_();
    }
}

bool ExeImage::write(std::uint64_t offset, ByteView data) {
    if (!fitsIn(bytes_.size(), offset, data.size())) {
        return false;
    }
    // A write into the fixup tables other than a pointer's target may move
    // records: the index then starts afresh.
    const VersionLayout& l = layout();
    if (!writingPointer_ && offset < l.PageBase && offset + data.size() > l.FixupPageTable) {
        index_.clear();
    }
    std::copy(data.begin(), data.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(offset));
    ++revision_;
    changed();
    return true;
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

PointerRead ExeImage::readPointer(std::int64_t position) const {
    if (!held()) {
        return {};
    }
    auto records = index_.find(bytes_, layout(), position);
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
    writingPointer_ = true;
    for (const ByteEdit& edit : edits) {
        write(edit.offset, edit.bytes);
    }
    writingPointer_ = false;
}

}  // namespace zorbel
