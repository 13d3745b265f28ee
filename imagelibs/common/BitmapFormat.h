// SPDX-License-Identifier: GPL-3.0-or-later
// Windows bitmap files, 8 and 32 bits per pixel.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imagelibs/common/Picture.h"

namespace tinplate {

// Windows bitmaps, 8 and 32 bits per pixel, uncompressed, rows bottom-up. The colour table is
// whatever lies between the end of the information header and the pixel offset.

// A bitmap's parts where they lie in its file: rows bottom-up, `stride` bytes apart.
struct BitmapView {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    int bitsPerPixel = 32;
    std::span<const std::uint8_t> colourTable;  // 8-bit bitmaps only
    std::span<const std::uint8_t> pixels;       // `height` rows, `stride` bytes apart
    std::uint64_t stride = 0;

    const std::uint8_t* Row(std::uint32_t row) const { return pixels.data() + row * stride; }
};

// Reads working bitmaps (rows unpadded) and ordinary ones (rows padded to 4 bytes): rows are
// taken as padded when the file holds padded rows in full. Empty for anything else, a side
// of 0 included.
std::optional<BitmapView> ViewBitmap(std::span<const std::uint8_t> file);
// The same, copied out of the file.
std::optional<Picture> ParseBitmap(std::span<const std::uint8_t> file);

// Writes rows unpadded with a 40-byte information header. The pixels start right after the
// colour table, or at `minimumPixelOffset` when that is further on (zeros fill the gap).
EncodedFile EncodeBitmap(Picture picture, std::uint32_t minimumPixelOffset = 0);
// The bytes EncodeBitmap writes before the pixels, for a picture of `shape`'s sides, depth and
// colour table (its pixels are not looked at) whose pixels take `pixelBytes`.
std::vector<std::uint8_t> BitmapHead(const Picture& shape, std::uint32_t pixelBytes,
                                     std::uint32_t minimumPixelOffset = 0);

}  // namespace tinplate
