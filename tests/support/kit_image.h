#pragma once

#include <algorithm>
#include <string>

#include "exe/exe_image.h"
#include "tools/gamekit/game_exe.h"

namespace testsupport {

// The test kit's executable of a build, held as the editor holds a file.
inline zorbel::ExeImage kitImage(int build, const std::string& name = "war2.exe") {
    zorbel::ExeImage image;
    image.hold(gamekit::buildGameExe(build).bytes, build, name);
    return image;
}

// Whether the image holds exactly these bytes.
inline bool holds(const zorbel::ExeImage& image, zorbel::ByteView bytes) {
    return std::ranges::equal(image.bytes(), bytes);
}

}  // namespace testsupport
