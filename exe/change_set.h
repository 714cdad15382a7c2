#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "base/byte_reader.h"

namespace zorbel {

// A run of bytes an edit changed, with what they held before and after.
struct ByteRun {
    std::size_t offset = 0;
    std::vector<std::uint8_t> before;
    std::vector<std::uint8_t> after;
    std::size_t end() const { return offset + after.size(); }
};

// What one step of the history changed: non-overlapping runs in offset
// order. A byte recorded twice keeps its first `before` and its last
// `after`, so a set stays a plain "from this to that" however often the
// same bytes were written.
class ChangeSet {
  public:
    // `before` and `after` have the same length.
    void add(std::size_t offset, ByteView before, ByteView after);
    // Takes in a set recorded after this one.
    void add(const ChangeSet& later);
    // Drops every byte whose value came back to what it was.
    void trim();

    bool empty() const { return runs_.empty(); }
    const std::vector<ByteRun>& runs() const { return runs_; }
    // Bytes held, before and after counted both.
    std::size_t recordedBytes() const { return recorded_; }

  private:
    std::vector<ByteRun> runs_;
    std::size_t recorded_ = 0;
};

}  // namespace zorbel
