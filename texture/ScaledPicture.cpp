// SPDX-License-Identifier: GPL-3.0-or-later
// Choosing and sampling the level a small picture is made from, and scaling it.
#include "texture/ScaledPicture.h"

#include <span>
#include <vector>

#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "txd/DictionaryReader.h"
#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// Levels up to this many pixels (16 MiB of RGBA) are decoded whole.
constexpr std::uint64_t kWholeLevelPixels = std::uint64_t{1} << 22;

struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::span<const std::uint8_t> bytes;
};

std::uint64_t LevelBytes(const TextureRecord& record, std::uint32_t width, std::uint32_t height) {
    return SizesForHeader(record.depth, record.compression, width, height, record.alphaFlags)
        .pixelSize;
}

// The first level and each smaller one the record holds, largest first, as stored.
std::vector<StoredLevel> StoredLevels(const TextureRecord& record) {
    std::vector<StoredLevel> levels;
    if (record.width == 0 || record.height == 0 ||
        record.pixels.size() != LevelBytes(record, record.width, record.height)) {
        return levels;
    }
    levels.push_back({record.width, record.height, {record.pixels.data(), record.pixels.size()}});
    const std::vector<LevelSize> sizes = SmallerLevelSizes(record);
    const auto smaller = SmallerLevelBytes(record);
    for (std::size_t i = 0; i < smaller.size(); ++i) {
        levels.push_back({sizes[i].width, sizes[i].height, smaller[i]});
    }
    return levels;
}

// Every `step`-th texel of every `step`-th row (of a DXT level: every `step`-th block of every
// `step`-th row of blocks), as a level of the texture's own kind.
StoredLevel Sample(const TextureRecord& record, const StoredLevel& level, std::uint32_t step,
                   std::vector<std::uint8_t>& bytes) {
    const std::uint32_t unit = IsBlockCompressed(KindOf(record)) ? 4 : 1;
    const std::uint32_t columns = (level.width + unit - 1) / unit;
    const std::uint32_t rows = (level.height + unit - 1) / unit;
    const std::size_t unitBytes = LevelBytes(record, unit, unit);
    const std::uint32_t keptColumns = (columns + step - 1) / step;
    const std::uint32_t keptRows = (rows + step - 1) / step;
    bytes.clear();
    bytes.reserve(std::size_t{keptColumns} * keptRows * unitBytes);
    for (std::uint32_t row = 0; row < rows; row += step) {
        const std::uint8_t* line = level.bytes.data() + std::size_t{row} * columns * unitBytes;
        for (std::uint32_t column = 0; column < columns; column += step) {
            const std::uint8_t* start = line + std::size_t{column} * unitBytes;
            bytes.insert(bytes.end(), start, start + unitBytes);
        }
    }
    return {keptColumns * unit, keptRows * unit, bytes};
}

}  // namespace

TextureRecord LevelForSize(const TextureRecord& record, std::uint32_t width, std::uint32_t height) {
    TextureRecord level;
    level.platform = record.platform;
    level.depth = record.depth;
    level.compression = record.compression;
    level.alphaFlags = record.alphaFlags;
    level.hasAlpha = record.hasAlpha;
    level.filterFlags = record.filterFlags;
    level.paletteSize = record.paletteSize;
    level.mipCount = 1;
    const std::vector<StoredLevel> levels = StoredLevels(record);
    if (!HasPicture(KindOf(record)) || levels.empty()) {
        return level;
    }
    std::size_t index = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (levels[i].width >= width && levels[i].height >= height) {
            index = i;
        }
    }
    // Texels are picked out of the picture as the game draws it, not out of swizzled bytes.
    const GameLevel game = GameLevelOf(record, index);
    if (game.bytes.empty()) {
        return level;
    }
    StoredLevel chosen{game.width, game.height, game.bytes};
    std::uint32_t step = 1;
    while (std::uint64_t{chosen.width / step} * (chosen.height / step) > kWholeLevelPixels &&
           chosen.width / (step * 2) >= width && chosen.height / (step * 2) >= height) {
        step *= 2;
    }
    std::vector<std::uint8_t> sampled;
    if (step > 1) {
        chosen = Sample(record, chosen, step, sampled);
    }
    level.width = chosen.width;
    level.height = chosen.height;
    level.pixels = ByteBuffer::Copy(chosen.bytes);
    level.pixelSize = static_cast<std::uint32_t>(chosen.bytes.size());
    level.palette = ByteBuffer::Copy(std::span(record.palette.data(), record.palette.size()));
    return level;
}

RgbaImage ScaledLevel(const TextureRecord& level, std::uint32_t width, std::uint32_t height) {
    if (level.pixels.empty() || width == 0 || height == 0) {
        return {};
    }
    RgbaImage picture = DecodeGameLevel(level, level.pixels, level.width, level.height);
    if (picture.rgba.empty() || (picture.width == width && picture.height == height)) {
        return picture;
    }
    return BoxFilter(picture, width, height);
}

}  // namespace tinplate
