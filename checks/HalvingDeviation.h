// SPDX-License-Identifier: GPL-3.0-or-later
// How far a mip level is from its larger neighbour halved by a box filter.
#pragma once

#include <cstdint>
#include <span>

namespace tinplate {

// Four bytes a texel, rows one after another, the same channel order in both.
struct TexelGrid {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::span<const std::uint8_t> texels;  // width * height * 4 bytes
};

// The mean absolute difference per channel (0 to 255) between `level` and the mean of the 2 x 2
// texels of `previous` each of its texels covers (a side of 1 covers one texel). Grids whose
// sizes do not make a halving give 255.
double HalvingDeviation(const TexelGrid& previous, const TexelGrid& level);

}  // namespace tinplate
