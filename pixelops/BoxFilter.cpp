// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxFilter.h"

#include <algorithm>
#include <array>

namespace {

// Along one axis, target pixel i covers [i * source, (i + 1) * source) and source pixel j
// covers [j * target, (j + 1) * target): every overlap is a whole number, and the overlaps
// under one target pixel add up to `source`.
struct Cover {
    std::uint32_t first = 0;
    std::vector<std::uint32_t> weights;
};

std::vector<Cover> Covers(std::uint32_t source, std::uint32_t target) {
    std::vector<Cover> covers(target);
    for (std::uint64_t i = 0; i < target; ++i) {
        const std::uint64_t begin = i * source;
        const std::uint64_t end = begin + source;
        Cover& cover = covers[i];
        cover.first = static_cast<std::uint32_t>(begin / target);
        for (std::uint64_t j = cover.first; j * target < end; ++j) {
            const std::uint64_t overlap =
                std::min(end, (j + 1) * target) - std::max(begin, j * target);
            cover.weights.push_back(static_cast<std::uint32_t>(overlap));
        }
    }
    return covers;
}

}  // namespace

RgbaImage BoxResample(const RgbaImage& source, std::uint32_t width, std::uint32_t height) {
    RgbaImage result{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    const std::vector<Cover> columns = Covers(source.width, width);
    const std::vector<Cover> rows = Covers(source.height, height);
    const std::uint64_t total = std::uint64_t{source.width} * source.height;
    std::vector<std::uint64_t> columnSums(std::size_t{source.width} * 4);
    std::uint8_t* out = result.rgba.data();
    for (const Cover& row : rows) {
        std::fill(columnSums.begin(), columnSums.end(), 0);
        for (std::size_t k = 0; k < row.weights.size(); ++k) {
            const std::uint8_t* in =
                source.rgba.data() + (std::size_t{row.first} + k) * source.width * 4;
            for (std::size_t i = 0; i < columnSums.size(); ++i) {
                columnSums[i] += std::uint64_t{row.weights[k]} * in[i];
            }
        }
        for (const Cover& column : columns) {
            std::array<std::uint64_t, 4> sum{};
            for (std::size_t k = 0; k < column.weights.size(); ++k) {
                const std::uint64_t* sums = columnSums.data() + (std::size_t{column.first} + k) * 4;
                for (int c = 0; c < 4; ++c) {
                    sum[c] += column.weights[k] * sums[c];
                }
            }
            for (int c = 0; c < 4; ++c) {
                *out++ = static_cast<std::uint8_t>((sum[c] + total / 2) / total);
            }
        }
    }
    return result;
}

std::vector<RgbaImage> LevelChain(RgbaImage top) {
    std::vector<RgbaImage> levels;
    levels.push_back(std::move(top));
    while (levels.back().width > 1 || levels.back().height > 1) {
        const RgbaImage& last = levels.back();
        levels.push_back(
            BoxResample(last, std::max(last.width / 2, 1u), std::max(last.height / 2, 1u)));
    }
    return levels;
}
