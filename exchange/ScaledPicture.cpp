// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScaledPicture.h"

#include <span>
#include <vector>

#include "BoxFilter.h"
#include "DictionaryReader.h"
#include "LevelChain.h"
#include "LevelDecode.h"
#include "TexelKind.h"

namespace {

// Levels up to this many pixels (64 MiB of RGBA) are decoded whole.
constexpr std::uint64_t kWholeLevelPixels = std::uint64_t{1} << 24;

struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::span<const std::uint8_t> bytes;
};

std::uint64_t LevelBytes(const TextureRecord& record, std::uint32_t width, std::uint32_t height) {
    return SizesForHeader(record.depth, record.compression, width, height, record.alphaFlags)
        .pixelSize;
}

// The first level and each smaller one the record holds, largest first.
std::vector<StoredLevel> StoredLevels(const TextureRecord& record) {
    std::vector<StoredLevel> levels;
    if (record.pixels.size() != LevelBytes(record, record.width, record.height)) {
        return levels;
    }
    levels.push_back({record.width, record.height, {record.pixels.data(), record.pixels.size()}});
    const std::vector<LevelSize> smaller = SmallerLevelSizes(record);
    for (const LevelSize& level : smaller) {
        const std::uint64_t at = level.offset - smaller.front().offset;
        if (at + level.bytes > record.smallerLevels.size()) {
            break;
        }
        levels.push_back(
            {level.width,
             level.height,
             {record.smallerLevels.data() + at, static_cast<std::size_t>(level.bytes)}});
    }
    return levels;
}

// Every `step`-th texel of every `step`-th row (for DXT: every `step`-th block of every
// `step`-th row of blocks), as a level of the texture's own kind.
struct SampledLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> bytes;
};

SampledLevel Sample(const TextureRecord& record, const StoredLevel& level, std::uint32_t step) {
    const bool blocks = IsDxt(TexelKindOf(record));
    const std::uint32_t unit = blocks ? 4 : 1;
    const std::uint32_t columns = (level.width + unit - 1) / unit;
    const std::uint32_t rows = (level.height + unit - 1) / unit;
    const std::size_t unitBytes = LevelBytes(record, unit, unit);
    SampledLevel sampled;
    const std::uint32_t keptColumns = (columns + step - 1) / step;
    const std::uint32_t keptRows = (rows + step - 1) / step;
    sampled.width = keptColumns * unit;
    sampled.height = keptRows * unit;
    sampled.bytes.reserve(std::size_t{keptColumns} * keptRows * unitBytes);
    for (std::uint32_t row = 0; row < rows; row += step) {
        const std::uint8_t* line = level.bytes.data() + std::size_t{row} * columns * unitBytes;
        for (std::uint32_t column = 0; column < columns; column += step) {
            const std::uint8_t* unitStart = line + std::size_t{column} * unitBytes;
            sampled.bytes.insert(sampled.bytes.end(), unitStart, unitStart + unitBytes);
        }
    }
    return sampled;
}

}  // namespace

RgbaImage ScaledPicture(const TextureRecord& record, std::uint32_t width, std::uint32_t height) {
    if (TexelKindOf(record) == TexelKind::None || width == 0 || height == 0) {
        return {};
    }
    const std::vector<StoredLevel> levels = StoredLevels(record);
    if (levels.empty() || levels.front().width == 0 || levels.front().height == 0) {
        return {};
    }
    StoredLevel chosen = levels.front();
    for (const StoredLevel& level : levels) {
        if (level.width >= width && level.height >= height) {
            chosen = level;
        }
    }
    std::uint32_t step = 1;
    while (std::uint64_t{chosen.width / step} * (chosen.height / step) > kWholeLevelPixels &&
           chosen.width / (step * 2) >= width && chosen.height / (step * 2) >= height) {
        step *= 2;
    }
    RgbaImage picture;
    if (step == 1) {
        picture = DecodeLevel(record, chosen.bytes, chosen.width, chosen.height);
    } else {
        const SampledLevel sampled = Sample(record, chosen, step);
        picture = DecodeLevel(record, sampled.bytes, sampled.width, sampled.height);
    }
    if (picture.width == width && picture.height == height) {
        return picture;
    }
    return BoxFilter(picture, width, height);
}
