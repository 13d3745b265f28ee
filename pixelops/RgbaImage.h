// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

// A picture on its way between texture kinds: R, G, B, A bytes, rows top-down, no padding.
struct RgbaImage {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> rgba;
};

// A picture as palette indices: `palette` holds R, G, B, A per entry, `indices` one byte per
// pixel, rows top-down.
struct IndexedImage {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> indices;
};
