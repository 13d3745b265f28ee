// SPDX-License-Identifier: GPL-3.0-or-later
// Walking a texture's chain of smaller levels.
#include "txd/LevelChain.h"

#include <algorithm>

#include "txd/TextureKinds.h"

namespace tinplate {

std::vector<LevelSize> SmallerLevelSizes(const TextureRecord& record) {
    std::vector<LevelSize> levels;
    if (record.width == 0 || record.height == 0) {
        return levels;
    }
    const auto count = static_cast<std::uint16_t>(record.mipCount);
    std::uint32_t width = record.width;
    std::uint32_t height = record.height;
    std::uint64_t offset = std::uint64_t{record.pixelOffset} + record.pixelSize;
    for (std::uint32_t level = 1; level < count && (width > 1 || height > 1); ++level) {
        width = std::max<std::uint32_t>(width >> 1, 1);
        height = std::max<std::uint32_t>(height >> 1, 1);
        const std::uint64_t size =
            SizesForHeader(record.depth, record.compression, width, height, record.alphaFlags)
                .pixelSize;
        if (size == 0 || offset + size > record.levelDataEnd) {
            break;
        }
        levels.push_back({width, height, offset, size});
        offset += size;
    }
    return levels;
}

std::vector<std::span<const std::uint8_t>> SmallerLevelBytes(const TextureRecord& record) {
    const std::vector<LevelSize> levels = SmallerLevelSizes(record);
    const ByteBuffer& buffer = record.smallerLevels;
    std::vector<std::span<const std::uint8_t>> pieces = buffer.Pieces();
    const bool onePiecePerLevel =
        pieces.size() > 1 && pieces.size() <= levels.size() &&
        std::equal(pieces.begin(), pieces.end(), levels.begin(),
                   [](auto piece, const LevelSize& level) { return piece.size() == level.bytes; });
    if (onePiecePerLevel) {
        return pieces;
    }
    std::vector<std::span<const std::uint8_t>> spans;
    std::uint64_t at = 0;
    for (const LevelSize& level : levels) {
        if (at + level.bytes > buffer.size()) {
            break;
        }
        spans.emplace_back(buffer.data() + at, level.bytes);
        at += level.bytes;
    }
    return spans;
}

}  // namespace tinplate
