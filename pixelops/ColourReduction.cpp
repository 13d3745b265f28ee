// SPDX-License-Identifier: GPL-3.0-or-later
#include "ColourReduction.h"

#include <algorithm>
#include <array>
#include <numeric>

#include "PaletteMatch.h"

namespace {

// Colours are counted in boxes of 16 values a channel; the most used boxes become the entries,
// each the mean of the colours that fell into it.
constexpr std::size_t kBoxes = 1 << 16;

std::size_t BoxOf(const std::uint8_t* rgba) {
    std::size_t box = 0;
    for (int c = 0; c < 4; ++c) {
        box |= static_cast<std::size_t>(rgba[c] >> 4) << (4 * c);
    }
    return box;
}

struct Box {
    std::uint64_t count = 0;
    std::array<std::uint64_t, 4> sums{};
};

}  // namespace

IndexedImage ReduceColours(const RgbaImage& image, std::size_t maxColours) {
    std::vector<Box> boxes(kBoxes);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        Box& box = boxes[BoxOf(&image.rgba[i])];
        ++box.count;
        for (int c = 0; c < 4; ++c) {
            box.sums[c] += image.rgba[i + c];
        }
    }
    std::vector<std::size_t> order(kBoxes);
    std::iota(order.begin(), order.end(), 0);
    const std::size_t used = std::min(
        maxColours, static_cast<std::size_t>(std::count_if(
                        boxes.begin(), boxes.end(), [](const Box& b) { return b.count > 0; })));
    std::partial_sort(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(used), order.end(),
                      [&](std::size_t a, std::size_t b) {
                          return boxes[a].count > boxes[b].count ||
                                 (boxes[a].count == boxes[b].count && a < b);
                      });
    IndexedImage result;
    for (std::size_t k = 0; k < used; ++k) {
        const Box& box = boxes[order[k]];
        for (int c = 0; c < 4; ++c) {
            result.palette.push_back(
                static_cast<std::uint8_t>((box.sums[c] + box.count / 2) / box.count));
        }
    }
    result.indices = NearestIndices(image, result.palette);
    return result;
}
