#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "exe/edit_history.h"
#include "exe/fixup_index.h"
#include "exe/fixups.h"
#include "exe/range_set.h"
#include "exe/version_layout.h"

namespace zorbel {

// The first build (0 to 4) whose 128 probe bytes all lie inside the image and
// are text (zero or 0x20 to 0x7D); -1 when none is.
std::int32_t DetectGameVersion(ByteView image);

// The opened game executable, whole, edited in place. Every change goes
// through write(), so one place sees every edit: the history records it and
// "modified" follows it.
class ExeImage {
  public:
    bool held() const { return version_ != kNoGame; }
    std::int32_t GameVersion() const { return version_; }
    const VersionLayout& layout() const;

    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }

    ByteView bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    // Takes over a whole file of a recognised build; the history starts empty.
    void hold(std::vector<std::uint8_t> bytes, std::int32_t version, std::string fileName);
    // Back to no image: GameVersion -1, no name, buffer and history released.
    void release();

    // All or nothing: a write that does not lie wholly inside the image
    // changes nothing and gives false. Bytes that change are recorded in the
    // open step, or in a step of their own when none is open.
    bool write(std::uint64_t offset, ByteView data);
    bool writeU8(std::uint64_t offset, std::uint8_t value);
    bool writeU16(std::uint64_t offset, std::uint16_t value);
    bool writeU32(std::uint64_t offset, std::uint32_t value);

    std::optional<std::uint8_t> readU8(std::uint64_t offset) const { return loadU8(bytes_, offset); }
    std::optional<std::uint16_t> readU16(std::uint64_t offset) const { return loadU16(bytes_, offset); }
    std::optional<std::uint32_t> readU32(std::uint64_t offset) const { return loadU32(bytes_, offset); }

    // Pointer access through the fixup records. ReadExePointer gives -1 and
    // leaves PointerFound false when no record relocates the position.
    std::int32_t ReadExePointer(std::int64_t position);
    bool PointerFound() const { return pointerFound_; }
    PointerRead readPointer(std::int64_t position) const;
    // The records that relocate the pointer at `position`, through the index.
    PointerRecords pointerRecords(std::int64_t position) const;
    // One step: both records of a pointer that crosses a page change together.
    void WriteExePointer(std::int64_t position, std::uint32_t target);

    // Steps. Writes between beginStep and endStep make one step; a step
    // begun inside another joins it, so the outermost names the action.
    void beginStep(std::string label, StepKey key = {}, bool mergeable = false);
    void endStep();
    // Puts back the bytes of the last step (or applies the last undone one)
    // and gives the field it was about; nothing when there is none.
    std::optional<StepKey> undo();
    std::optional<StepKey> redo();
    const EditHistory& history() const { return history_; }
    EditHistory& history() { return history_; }

    // Counts the changes of the bytes.
    std::uint64_t revision() const { return revision_; }

    // Whether the bytes differ from those last opened or saved.
    bool modified() const { return held() && !unsaved_.empty(); }
    // Where they differ.
    const RangeSet& unsavedRanges() const { return unsaved_; }
    void markSaved();
    // Called after every change of the bytes, of the history or of the
    // saved state, and when an image is taken or released.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    std::vector<std::uint8_t> bytes_;
    // The bytes as last opened or saved; copied at the first write after,
    // and until then the bytes themselves.
    std::vector<std::uint8_t> saved_;
    bool savedCopied_ = false;
    void forgetSaved();
    RangeSet unsaved_;
    std::int32_t version_ = kNoGame;
    std::string fileName_;
    bool pointerFound_ = false;
    std::uint64_t revision_ = 0;
    std::function<void()> listener_;
    mutable FixupIndex index_;
    bool writingPointer_ = false;
    EditHistory history_;
    EditStep open_;
    int depth_ = 0;

    void put(std::size_t at, ByteView data);
    void apply(const ChangeSet& changes, bool forward);
    void changed();
};

// Makes the writes of one user action one step of the history, for as long
// as it lives.
class EditScope {
  public:
    EditScope(ExeImage& image, std::string label, StepKey key = {}, bool mergeable = false) : image_(image) {
        image_.beginStep(std::move(label), std::move(key), mergeable);
    }
    ~EditScope() { image_.endStep(); }
    EditScope(const EditScope&) = delete;
    EditScope& operator=(const EditScope&) = delete;

  private:
    ExeImage& image_;
};

}  // namespace zorbel
