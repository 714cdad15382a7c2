#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/byte_reader.h"
#include "exe/fixup_index.h"
#include "exe/fixups.h"
#include "exe/version_layout.h"

namespace zorbel {

// The first build (0 to 4) whose 128 probe bytes all lie inside the image and
// are text (zero or 0x20 to 0x7D); -1 when none is.
std::int32_t DetectGameVersion(ByteView image);

// The opened game executable, whole, edited in place. Every change goes
// through write(), so one place sees every edit.
class ExeImage {
  public:
    bool held() const { return version_ != kNoGame; }
    std::int32_t GameVersion() const { return version_; }
    const VersionLayout& layout() const;

    const std::string& fileName() const { return fileName_; }
    void setFileName(std::string name) { fileName_ = std::move(name); }

    ByteView bytes() const { return bytes_; }
    std::size_t size() const { return bytes_.size(); }

    // Takes over a whole file of a recognised build.
    void hold(std::vector<std::uint8_t> bytes, std::int32_t version, std::string fileName);
    // Back to no image: GameVersion -1, no name, buffer released.
    void release();

    // All or nothing: a write that does not lie wholly inside the image
    // changes nothing and gives false.
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
    void WriteExePointer(std::int64_t position, std::uint32_t target);

    // Counts accepted edits; changes whenever the bytes may have changed.
    std::uint64_t revision() const { return revision_; }

    // Whether the image changed since it was opened or last saved.
    bool modified() const { return held() && revision_ != savedRevision_; }
    void markSaved();
    // Called after every accepted write, and when an image is taken or released.
    void setChangeListener(std::function<void()> listener) { listener_ = std::move(listener); }

  private:
    std::vector<std::uint8_t> bytes_;
    std::int32_t version_ = kNoGame;
    std::string fileName_;
    bool pointerFound_ = false;
    std::uint64_t revision_ = 0;
    std::uint64_t savedRevision_ = 0;
    std::function<void()> listener_;
    mutable FixupIndex index_;
    bool writingPointer_ = false;

    void changed();
};

}  // namespace zorbel
