// SPDX-License-Identifier: GPL-3.0-or-later
// The 2 x 2 mean compared row by row, so that both levels are read once.
#include "HalvingDeviation.h"

#include <algorithm>
#include <cstdlib>

namespace tinplate {

namespace {

bool FitsGrid(const TexelGrid& grid) {
    return grid.width > 0 && grid.height > 0 &&
           std::uint64_t{grid.width} * grid.height * 4 == grid.texels.size();
}

// Sum over one row of `width` texels of |the mean of the texel pairs at x in rows a and b -
// out[x]|, the second texel of a pair `kStep` bytes after the first (0 where the previous
// level is one texel wide). The step is a constant so that the loop vectorises.
template <std::uint32_t kStep>
std::uint64_t RowDeviation(const std::uint8_t* a, const std::uint8_t* b, const std::uint8_t* out,
                           std::uint32_t width) {
    std::uint64_t sum = 0;
    for (std::uint32_t x = 0; x < width; ++x) {
        const std::uint32_t at = x * 2 * kStep;
        for (std::uint32_t c = 0; c < 4; ++c) {
            const int mean =
                (a[at + c] + a[at + kStep + c] + b[at + c] + b[at + kStep + c] + 2) >> 2;
            sum += static_cast<std::uint32_t>(std::abs(mean - out[x * 4 + c]));
        }
    }
    return sum;
}

}  // namespace

double HalvingDeviation(const TexelGrid& previous, const TexelGrid& level) {
    if (!FitsGrid(previous) || !FitsGrid(level) ||
        level.width != std::max(previous.width / 2, 1u) ||
        level.height != std::max(previous.height / 2, 1u)) {
        return 255;
    }
    const std::size_t rowBytes = std::size_t{previous.width} * 4;
    const std::size_t nextRow = previous.height > 1 ? rowBytes : 0;
    std::uint64_t sum = 0;
    for (std::uint32_t y = 0; y < level.height; ++y) {
        const std::uint8_t* a = previous.texels.data() + y * 2 * rowBytes;
        const std::uint8_t* out = level.texels.data() + std::size_t{y} * level.width * 4;
        sum += previous.width > 1 ? RowDeviation<4>(a, a + nextRow, out, level.width)
                                  : RowDeviation<0>(a, a + nextRow, out, level.width);
    }
    return static_cast<double>(sum) / (static_cast<double>(level.texels.size()));
}

}  // namespace tinplate
