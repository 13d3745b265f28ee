// SPDX-License-Identifier: GPL-3.0-or-later
// Flip for uncompressed and block-compressed textures.
#include "pixelops/Flip.h"

#include <algorithm>

#include "pixelops/BlockRows.h"
#include "pixelops/TexelLayout.h"
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

bool FlipTexels(TextureRecord& record) {
    const std::uint32_t texelBytes = TexelBytes(record);
    // Kinds of less than a byte a texel are stored in rows of whole bytes.
    const std::uint64_t rowBytes = texelBytes != 0 ? std::uint64_t{record.width} * texelBytes
                                                   : RowBytesOf(KindOf(record), record.width);
    const std::uint64_t bytes = rowBytes * record.height;
    if (rowBytes == 0 || record.pixelSize != bytes || record.pixels.size() != bytes) {
        return false;
    }
    ReverseRows(record.pixels.data(), rowBytes, record.height);
    return true;
}

bool FlipBlocks(TextureRecord& record, TextureKind kind) {
    const std::size_t blockBytes = FactsOf(kind).blockBytes;
    const std::uint32_t blocksWide = (record.width + kBlockSide - 1) / kBlockSide;
    const std::uint32_t blocksHigh = (record.height + kBlockSide - 1) / kBlockSide;
    const std::uint64_t expected = std::uint64_t{blocksWide} * blocksHigh * blockBytes;
    if (record.pixelSize != expected || record.pixels.size() != expected ||
        (record.height > kBlockSide && record.height % kBlockSide != 0)) {
        return false;
    }
    const std::size_t rowBytes = blocksWide * blockBytes;
    ReverseRows(record.pixels.data(), rowBytes, blocksHigh);
    const std::uint32_t rowsPerBlock = std::min(record.height, kBlockSide);
    for (std::size_t offset = 0; offset < record.pixels.size(); offset += blockBytes) {
        MirrorBlockRows(record.pixels.data() + offset, kind, rowsPerBlock);
    }
    return true;
}

}  // namespace

bool FlipTexture(TextureRecord& record) {
    if (record.width == 0 || record.height == 0) {
        return false;
    }
    const TextureKind kind = KindOf(record);
    return IsBlockCompressed(kind) ? FlipBlocks(record, kind) : FlipTexels(record);
}

}  // namespace tinplate
