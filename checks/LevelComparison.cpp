// SPDX-License-Identifier: GPL-3.0-or-later
// Byte comparison first; decoded texels only where the bytes differ.
#include "checks/LevelComparison.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "texture/LevelDecode.h"
#include "txd/GameLevels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

bool SameBytes(std::span<const std::uint8_t> a, std::span<const std::uint8_t> b) {
    return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), a.size()) == 0);
}

bool SameKindAndPalette(const TextureRecord& a, const TextureRecord& b) {
    return KindOf(a) == KindOf(b) && GamePaletteOf(a) == GamePaletteOf(b);
}

void CountDifferences(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b,
                      LevelComparison& result) {
    std::uint64_t squares = 0;
    for (std::size_t texel = 0; texel + 4 <= a.size(); texel += 4) {
        unsigned largest = 0;
        for (std::size_t c = texel; c < texel + 4; ++c) {
            const unsigned difference = static_cast<unsigned>(std::abs(a[c] - b[c]));
            squares += difference * difference;
            largest = std::max(largest, difference);
        }
        result.texelsDiffering += largest > 0;
        result.largestDifference = std::max(result.largestDifference, largest);
    }
    if (result.texelsDiffering == 0) {
        result.outcome = LevelComparison::Outcome::SamePicture;
        return;
    }
    result.outcome = LevelComparison::Outcome::Different;
    const double meanSquare = static_cast<double>(squares) / static_cast<double>(a.size());
    result.psnr = 10 * std::log10(255.0 * 255.0 / meanSquare);
}

}  // namespace

LevelComparison CompareLevels(std::size_t level, const TextureRecord& a, const StoredLevel& levelA,
                              const TextureRecord& b, const StoredLevel& levelB) {
    LevelComparison result;
    result.level = level;
    result.widthA = levelA.width;
    result.heightA = levelA.height;
    result.widthB = levelB.width;
    result.heightB = levelB.height;
    if (SameKindAndPalette(a, b) && SameBytes(levelA.bytes, levelB.bytes)) {
        return result;
    }
    if (levelA.width != levelB.width || levelA.height != levelB.height) {
        result.outcome = LevelComparison::Outcome::SizesDiffer;
        return result;
    }
    const RgbaImage pictureA = DecodeGameLevel(a, levelA.bytes, levelA.width, levelA.height);
    const RgbaImage pictureB = DecodeGameLevel(b, levelB.bytes, levelB.width, levelB.height);
    if (pictureA.rgba.empty() || pictureA.rgba.size() != pictureB.rgba.size()) {
        result.outcome = LevelComparison::Outcome::NotComparable;
        return result;
    }
    CountDifferences(pictureA.rgba, pictureB.rgba, result);
    return result;
}

}  // namespace tinplate
