// SPDX-License-Identifier: GPL-3.0-or-later
// Flip for uncompressed and block-compressed textures.
#include "pixelops/Flip.h"

#include <algorithm>
#include <vector>

#include "pixelops/BlockRows.h"
#include "pixelops/TexelLayout.h"
#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kBlockSide = 4;

void ReverseRows(std::uint8_t* pixels, std::size_t rowBytes, std::uint32_t rows) {
    for (std::uint32_t top = 0, bottom = rows; top + 1 < bottom; ++top) {
        --bottom;
        std::uint8_t* upper = pixels + top * rowBytes;
        std::swap_ranges(upper, upper + rowBytes, pixels + bottom * rowBytes);
    }
}

// One level's bytes and sides.
struct Level {
    std::uint8_t* bytes;
    std::size_t size;
    std::uint32_t width;
    std::uint32_t height;
};

// Kinds of less than a byte a texel are stored in rows of whole bytes.
std::uint64_t RowBytes(TextureKind kind, std::uint32_t texelBytes, std::uint32_t width) {
    return texelBytes != 0 ? std::uint64_t{width} * texelBytes : RowBytesOf(kind, width);
}

bool FitsTexels(const Level& level, std::uint64_t rowBytes) {
    return rowBytes != 0 && level.size == rowBytes * level.height;
}

bool FitsBlocks(const Level& level, std::size_t blockBytes) {
    const std::uint64_t blocksWide = (level.width + kBlockSide - 1) / kBlockSide;
    const std::uint64_t blocksHigh = (level.height + kBlockSide - 1) / kBlockSide;
    return level.size == blocksWide * blocksHigh * blockBytes &&
           (level.height <= kBlockSide || level.height % kBlockSide == 0);
}

void FlipBlocks(const Level& level, TextureKind kind) {
    const std::size_t blockBytes = FactsOf(kind).blockBytes;
    const std::uint32_t blocksWide = (level.width + kBlockSide - 1) / kBlockSide;
    ReverseRows(level.bytes, blocksWide * blockBytes, (level.height + kBlockSide - 1) / kBlockSide);
    const std::uint32_t rowsPerBlock = std::min(level.height, kBlockSide);
    for (std::size_t offset = 0; offset < level.size; offset += blockBytes) {
        MirrorBlockRows(level.bytes + offset, kind, rowsPerBlock);
    }
}

}  // namespace

bool FlipTexture(TextureRecord& record) {
    if (record.width == 0 || record.height == 0 || record.pixels.size() != record.pixelSize) {
        return false;
    }
    const TextureKind kind = KindOf(record);
    const bool blocks = IsBlockCompressed(kind);
    const std::uint32_t texelBytes = TexelBytes(record);
    const auto fits = [&](const Level& level) {
        return blocks ? FitsBlocks(level, FactsOf(kind).blockBytes)
                      : FitsTexels(level, RowBytes(kind, texelBytes, level.width));
    };
    const std::vector<LevelSize> smaller = SmallerLevelSizes(record);
    std::vector<Level> levels{{nullptr, record.pixels.size(), record.width, record.height}};
    std::size_t at = 0;
    for (const LevelSize& size : smaller) {
        if (at + size.bytes > record.smallerLevels.size()) {
            break;
        }
        levels.push_back({nullptr, size.bytes, size.width, size.height});
        at += size.bytes;
    }
    if (!std::all_of(levels.begin(), levels.end(), fits)) {
        return false;
    }
    levels.front().bytes = record.pixels.data();
    std::uint8_t* next = levels.size() > 1 ? record.smallerLevels.data() : nullptr;
    for (std::size_t i = 1; i < levels.size(); ++i) {
        levels[i].bytes = next;
        next += levels[i].size;
    }
    for (const Level& level : levels) {
        if (blocks) {
            FlipBlocks(level, kind);
        } else {
            ReverseRows(level.bytes, RowBytes(kind, texelBytes, level.width), level.height);
        }
    }
    return true;
}

}  // namespace tinplate
