// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Picture.h"

// Windows bitmaps, 8 and 32 bits per pixel, uncompressed, rows bottom-up. The colour table is
// whatever lies between the end of the information header and the pixel offset.

// Reads working bitmaps (rows unpadded) and ordinary ones (rows padded to 4 bytes): rows are
// taken as padded when the file holds padded rows in full. Empty for anything else, a side
// of 0 included.
std::optional<Picture> ParseBitmap(std::span<const std::uint8_t> file);

// Writes rows unpadded with a 40-byte information header. The pixels start right after the
// colour table, or at `minimumPixelOffset` when that is further on (zeros fill the gap).
EncodedFile EncodeBitmap(Picture picture, std::uint32_t minimumPixelOffset = 0);
