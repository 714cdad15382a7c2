#pragma once

namespace zorbel {

// Holds a program-wide flag at one value while it lives and leaves it at
// another: the write-back and label-sync flags are cleared while controls
// are filled and set again afterwards, whatever happens in between.
class ScopedFlag {
  public:
    ScopedFlag(bool& flag, bool during) : ScopedFlag(flag, during, !during) {}
    ScopedFlag(bool& flag, bool during, bool after) : flag_(flag), after_(after) { flag_ = during; }
    ~ScopedFlag() { flag_ = after_; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;

  private:
    bool& flag_;
    bool after_;
};

}  // namespace zorbel
