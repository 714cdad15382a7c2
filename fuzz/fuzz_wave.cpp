// The wave parser on any input: what it accepts lies inside the input.
#include <cstddef>
#include <cstdint>

#include "pages/sounds/wave_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto wave = zorbel::ParseWaveImage(zorbel::ByteView(data, size));
    if (wave.ok()) {
        const auto& w = wave.value();
        if (w.samples.data() < data || w.samples.data() + w.samples.size() > data + size ||
            w.durationMicroseconds() < 0) {
            __builtin_trap();
        }
    }
    return 0;
}
