// SPDX-License-Identifier: GPL-3.0-or-later
#include "PaletteMatch.h"

#include <limits>
#include <unordered_map>

namespace {

std::uint32_t ColourKey(const std::uint8_t* rgba) {
    return static_cast<std::uint32_t>(rgba[0]) | static_cast<std::uint32_t>(rgba[1]) << 8 |
           static_cast<std::uint32_t>(rgba[2]) << 16 | static_cast<std::uint32_t>(rgba[3]) << 24;
}

std::uint8_t NearestEntry(const std::uint8_t* rgba, std::span<const std::uint8_t> palette) {
    std::size_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t entry = 0; entry < palette.size() / 4; ++entry) {
        int distance = 0;
        for (int c = 0; c < 4; ++c) {
            const int difference = int{rgba[c]} - int{palette[entry * 4 + c]};
            distance += difference * difference;
        }
        if (distance < bestDistance) {
            bestDistance = distance;
            best = entry;
        }
    }
    return static_cast<std::uint8_t>(best);
}

}  // namespace

std::optional<IndexedImage> ExactPalette(const RgbaImage& image, std::size_t maxColours) {
    IndexedImage result;
    result.indices.reserve(image.rgba.size() / 4);
    std::unordered_map<std::uint32_t, std::uint8_t> seen;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        const auto [found, added] = seen.try_emplace(ColourKey(&image.rgba[i]), 0);
        if (added) {
            if (seen.size() > maxColours) {
                return std::nullopt;
            }
            found->second = static_cast<std::uint8_t>(seen.size() - 1);
            result.palette.insert(result.palette.end(), &image.rgba[i], &image.rgba[i] + 4);
        }
        result.indices.push_back(found->second);
    }
    return result;
}

std::vector<std::uint8_t> NearestIndices(const RgbaImage& image,
                                         std::span<const std::uint8_t> palette) {
    // Pictures hold far fewer colours than pixels: each colour is looked up once.
    std::unordered_map<std::uint32_t, std::uint8_t> known;
    std::vector<std::uint8_t> indices;
    indices.reserve(image.rgba.size() / 4);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        const auto [found, added] = known.try_emplace(ColourKey(&image.rgba[i]), 0);
        if (added) {
            found->second = NearestEntry(&image.rgba[i], palette);
        }
        indices.push_back(found->second);
    }
    return indices;
}
