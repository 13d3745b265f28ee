// SPDX-License-Identifier: GPL-3.0-or-later
// The game picture of a whole texture, level by level, through its platform's layout.
#include "txd/GameLevels.h"

#include <stdexcept>

#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

std::size_t LevelCount(const TextureRecord& record) {
    return 1 + SmallerLevelBytes(record).size();
}

GameLevel GameLevelOf(const TextureRecord& record, std::size_t index) {
    const PlatformLayout& layout = LayoutOf(record);
    if (index == 0) {
        const LevelTexels stored{
            {record.pixels.data(), record.pixels.size()}, record.width, record.height};
        return {layout.GameLevel(record, 0, stored), record.width, record.height};
    }
    const std::vector<LevelSize> sizes = SmallerLevelSizes(record);
    const auto bytes = SmallerLevelBytes(record);
    if (index > bytes.size() || index > sizes.size()) {
        return {};
    }
    const LevelSize& size = sizes[index - 1];
    return {layout.GameLevel(record, index, {bytes[index - 1], size.width, size.height}),
            size.width, size.height};
}

std::vector<std::uint8_t> GamePaletteOf(const TextureRecord& record) {
    return LayoutOf(record).GamePalette(record);
}

void StoreGameLevels(TextureRecord& record, std::span<const std::uint8_t> gamePalette,
                     std::span<const std::uint8_t> first, std::span<const std::uint8_t> smaller) {
    const PlatformLayout& layout = LayoutOf(record);
    const auto stored = [&](std::size_t index, std::span<const std::uint8_t> level,
                            std::uint32_t width, std::uint32_t height) {
        std::vector<std::uint8_t> bytes = layout.StoredLevel(record, index, {level, width, height});
        if (bytes.size() != level.size()) {
            throw std::runtime_error("the level does not fit the texture's stored order");
        }
        return bytes;
    };
    std::vector<std::uint8_t> levels;
    levels.reserve(smaller.size());
    std::size_t at = 0;
    std::size_t index = 1;
    for (const LevelSize& size : SmallerLevelSizes(record)) {
        if (at + size.bytes > smaller.size()) {
            break;
        }
        const std::vector<std::uint8_t> level =
            stored(index++, smaller.subspan(at, size.bytes), size.width, size.height);
        levels.insert(levels.end(), level.begin(), level.end());
        at += size.bytes;
    }
    const std::vector<std::uint8_t> palette = layout.StoredPalette(record, gamePalette);
    record.pixels = ByteBuffer::Copy(stored(0, first, record.width, record.height));
    record.smallerLevels = ByteBuffer::Copy(levels);
    record.palette = ByteBuffer::Copy(palette);
}

void MakeGameReady(TextureRecord& record) {
    record.order = record.firstLevelOrder = LayoutOf(record).GameReadyOrder(record);
}

std::string_view OrderName(TexelOrder order) {
    switch (order) {
        case TexelOrder::kSwizzled:
            return "swizzled";
        case TexelOrder::kGuessedSwizzled:
            return "guessed-swizzled";
        default:
            return "linear";
    }
}

}  // namespace tinplate
