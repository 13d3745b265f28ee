// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "FileError.h"

// A picture as people edit it: rows top to bottom, four bytes a pixel, R, G, B, A.
struct RgbaImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// Pictures are taken only at the texture's own size: a FileError naming `fileName` and both
// sizes refuses any other.
inline void RequirePictureSize(std::uint64_t pictureWidth, std::uint64_t pictureHeight,
                               std::uint32_t width, std::uint32_t height,
                               const std::string& fileName) {
    if (pictureWidth != width || pictureHeight != height) {
        throw FileError(fileName, "the picture is " + std::to_string(pictureWidth) + " x " +
                                      std::to_string(pictureHeight) + ", the texture " +
                                      std::to_string(width) + " x " + std::to_string(height));
    }
}
