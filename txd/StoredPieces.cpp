// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of a texture that in-place writing puts back.
#include "txd/StoredPieces.h"

namespace tinplate {

StoredPieces::StoredPieces(const TextureRecord& r, bool withSmallerLevels) {
    const PlatformLayout& layout = LayoutOf(r);
    m_alpha = layout.AlphaField(r);
    m_pieces.push_back({std::uint64_t{r.headerOffset} + m_alpha.offset,
                        std::span<const std::uint8_t>(m_alpha.bytes, m_alpha.size)});
    const ByteBuffer& palette = r.palette;
    if (layout.StoresRgbaPalette()) {
        m_palette = SwappedPalette(palette);
        m_pieces.push_back({r.paletteOffset, m_palette});
    } else {
        m_pieces.push_back({r.paletteOffset, palette});
    }
    const ByteBuffer& pixels = r.pixels;
    m_pieces.push_back({r.pixelOffset, pixels});
    if (!withSmallerLevels) {
        return;
    }
    const std::uint64_t chainStart = std::uint64_t{r.pixelOffset} + r.pixelSize;
    if (layout.LevelWordBytes() == 0) {
        const ByteBuffer& smaller = r.smallerLevels;
        m_pieces.push_back({chainStart, smaller});
        return;
    }
    std::uint64_t chainOffset = chainStart;
    std::size_t index = 0;
    for (const auto level : SmallerLevelBytes(r)) {
        m_pieces.push_back({StoredLevelOffset(r, index++, chainOffset), level});
        chainOffset += level.size();
    }
}

std::uint64_t StoredLevelOffset(const TextureRecord& record, std::size_t index,
                                std::uint64_t chainOffset) {
    return chainOffset + std::uint64_t{LayoutOf(record).LevelWordBytes()} * (index + 1);
}

}  // namespace tinplate
