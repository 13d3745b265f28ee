// SPDX-License-Identifier: GPL-3.0-or-later
// The RGBA picture type, and the sizes a picture may have.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/FileError.h"

namespace tinplate {

// A picture as people edit it: rows top to bottom, four bytes a pixel, R, G, B, A.
struct RgbaImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// A side of 0 x 0 asks for no particular size: any picture a texture can be made of.
inline constexpr std::uint64_t kMaxTextureSide = 0xFFFF;
// Pictures stay within 1 GiB of RGBA while they are converted.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 28;

// Pictures are taken only at the texture's own size (width x height): a FileError naming
// `fileName` and both sizes refuses any other. With 0 x 0, any size a texture can have is
// taken and a FileError refuses the rest.
inline void RequirePictureSize(std::uint64_t pictureWidth, std::uint64_t pictureHeight,
                               std::uint32_t width, std::uint32_t height,
                               const std::string& fileName) {
    const std::string size = std::to_string(pictureWidth) + " x " + std::to_string(pictureHeight);
    if (width == 0 && height == 0) {
        if (pictureWidth == 0 || pictureHeight == 0 || pictureWidth > kMaxTextureSide ||
            pictureHeight > kMaxTextureSide || pictureWidth * pictureHeight > kMaxPicturePixels) {
            throw FileError(fileName, "the picture is " + size +
                                          "; a texture's sides run from 1 to 65535 and it holds "
                                          "at most 268435456 pixels");
        }
        return;
    }
    if (pictureWidth != width || pictureHeight != height) {
        throw FileError(fileName, "the picture is " + size + ", the texture " +
                                      std::to_string(width) + " x " + std::to_string(height));
    }
}

}  // namespace tinplate
