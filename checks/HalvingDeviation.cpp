// SPDX-License-Identifier: GPL-3.0-or-later
// The 2 x 2 mean made row by row in three simple loops (vertical sums, horizontal means,
// absolute differences) that the compiler vectorises, so that both levels are read once at
// memory speed.
#include "checks/HalvingDeviation.h"

#include <algorithm>
#include <vector>

namespace tinplate {

namespace {

bool FitsGrid(const TexelGrid& grid) {
    return grid.width > 0 && grid.height > 0 &&
           std::uint64_t{grid.width} * grid.height * 4 == grid.texels.size();
}

void AddRows(const std::uint8_t* a, const std::uint8_t* b, std::uint16_t* sums, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        sums[i] = static_cast<std::uint16_t>(a[i] + b[i]);
    }
}

// The mean of each pair of neighbouring texels' sums; `kStep` 0 where the previous level is
// one texel wide.
template <std::size_t kStep>
void PairMeans(const std::uint16_t* sums, std::uint8_t* means, std::size_t texels) {
    for (std::size_t x = 0; x < texels; ++x) {
        for (std::size_t c = 0; c < 4; ++c) {
            means[x * 4 + c] = static_cast<std::uint8_t>(
                (sums[x * 2 * kStep + c] + sums[x * 2 * kStep + kStep + c] + 2) >> 2);
        }
    }
}

std::uint64_t AbsoluteDifferences(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) {
        sum += static_cast<std::uint32_t>(a[i] > b[i] ? a[i] - b[i] : b[i] - a[i]);
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
    const std::size_t outBytes = std::size_t{level.width} * 4;
    std::vector<std::uint16_t> sums(rowBytes);
    std::vector<std::uint8_t> means(outBytes);
    std::uint64_t total = 0;
    for (std::size_t y = 0; y < level.height; ++y) {
        const std::uint8_t* a = previous.texels.data() + y * 2 * rowBytes;
        AddRows(a, a + nextRow, sums.data(), rowBytes);
        if (previous.width > 1) {
            PairMeans<4>(sums.data(), means.data(), level.width);
        } else {
            PairMeans<0>(sums.data(), means.data(), level.width);
        }
        total += AbsoluteDifferences(means.data(), level.texels.data() + y * outBytes, outBytes);
    }
    return static_cast<double>(total) / static_cast<double>(level.texels.size());
}

}  // namespace tinplate
