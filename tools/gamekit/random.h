#pragma once

#include <cstdint>

namespace gamekit {

// A small deterministic generator, so that every fixture is the same on
// every machine.
class Random {
  public:
    explicit Random(std::uint64_t seed) : state_(seed * 0x9E3779B97F4A7C15ull + 1) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A value in [0, bound).
    std::uint32_t below(std::uint32_t bound) {
        return bound == 0 ? 0 : static_cast<std::uint32_t>(next() % bound);
    }
    std::uint8_t byte() { return static_cast<std::uint8_t>(next()); }

  private:
    std::uint64_t state_;
};

}  // namespace gamekit
