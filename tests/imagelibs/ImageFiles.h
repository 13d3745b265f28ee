// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files built and compared for the image library tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "tests/support/ImageLibraries.h"

namespace tinplate {

using Bytes = std::vector<std::uint8_t>;

// Deterministic bytes that differ from position to position.
Bytes PatternBytes(std::size_t count, std::uint32_t seed);

// A bitmap as the editor writes its working files: 54-byte header, colour table, rows
// bottom-up and unpadded.
Bytes WorkingBitmap(std::uint32_t width, std::uint32_t height, int bitsPerPixel,
                    std::span<const std::uint8_t> colourTable,
                    std::span<const std::uint8_t> pixels);

// What the tests read back from a bitmap: its header fields, the colour table (whatever lies
// between byte 54 and the pixel offset) and the pixels (the rest of the file).
struct Bitmap {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t pixelOffset = 0;
    int bitsPerPixel = 0;
    Bytes table;
    Bytes pixels;
};
Bitmap ReadBitmapFile(const std::string& path);

// A one-level DDS of compression 12, 14 or 15 with the header the editor writes.
Bytes BlockDds(std::uint32_t width, std::uint32_t height, std::int32_t compression,
               std::span<const std::uint8_t> blocks);

// A 4 × 2 Targa with top-left origin, as other programs write them: colour-mapped (types 1 and
// 9) with a 4-entry map, or true colour (2 and 10). Run-length types pack each row as a run of
// its first pixel and three literal pixels. Pixels are PatternBytes(8 * pixelBits / 8, 5), taken
// modulo 4 as indices; the map is PatternBytes(4 * mapEntryBits / 8, 4).
Bytes SmallTarga(std::uint8_t type, std::uint8_t pixelBits, std::uint8_t mapEntryBits);

}  // namespace tinplate
