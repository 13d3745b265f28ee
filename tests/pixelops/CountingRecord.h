// SPDX-License-Identifier: GPL-3.0-or-later
// A record whose pixel bytes count up, so every moved byte is traceable.
#pragma once

#include <cstdint>
#include <numeric>

#include "txd/TextureRecord.h"

namespace tinplate {

// A record whose pixel bytes count up from 0 (wrapping), so every moved byte is traceable.
inline TextureRecord CountingRecord(std::uint32_t width, std::uint32_t height, int depth,
                                    std::uint32_t pixelSize, int compression = 0) {
    TextureRecord record;
    record.width = width;
    record.height = height;
    record.depth = static_cast<std::int16_t>(depth);
    record.compression = compression;
    record.pixelSize = pixelSize;
    record.pixels.resize(pixelSize);
    std::iota(record.pixels.begin(), record.pixels.end(), std::uint8_t{0});
    return record;
}

inline TextureRecord CountingRecord(std::uint32_t width, std::uint32_t height, int depth) {
    return CountingRecord(width, height, depth,
                          width * height * static_cast<std::uint32_t>(depth / 8));
}

}  // namespace tinplate
