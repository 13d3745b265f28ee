// SPDX-License-Identifier: GPL-3.0-or-later
// The decoded-size limit, expanding pictures to BGRA and flipping rows.
#include "imagelibs/common/Picture.h"

#include <algorithm>

namespace tinplate {

bool FitsDecodedLimit(std::uint64_t width, std::uint64_t height) {
    const std::uint64_t maxPixels = kMaxDecodedBytes / 4;
    const std::uint64_t w = std::max<std::uint64_t>(width, 1);
    const std::uint64_t h = std::max<std::uint64_t>(height, 1);
    return w <= maxPixels && h <= maxPixels / w;
}

std::vector<std::uint8_t> ExpandToBgra(const Picture& picture) {
    if (picture.bitsPerPixel == 32) {
        return picture.pixels;
    }
    const std::size_t entries = picture.colourTable.size() / 4;
    std::vector<std::uint8_t> bgra(picture.pixels.size() * 4, 0);
    for (std::size_t i = 0; i < picture.pixels.size(); ++i) {
        const std::size_t index = picture.pixels[i];
        if (index < entries) {
            std::copy_n(picture.colourTable.begin() + index * 4, 4, bgra.begin() + i * 4);
        }
    }
    return bgra;
}

void FlipRowsInPlace(std::span<std::uint8_t> pixels, std::size_t rowBytes) {
    const std::size_t rows = rowBytes == 0 ? 0 : pixels.size() / rowBytes;
    for (std::size_t top = 0, bottom = rows; top + 1 < bottom; ++top, --bottom) {
        std::swap_ranges(pixels.begin() + top * rowBytes, pixels.begin() + (top + 1) * rowBytes,
                         pixels.begin() + (bottom - 1) * rowBytes);
    }
}

}  // namespace tinplate
