// SPDX-License-Identifier: GPL-3.0-or-later
// DXT blocks decoded through libsquish.
#include "imagelibs/common/DxtBlocks.h"

#include <squish.h>

#include <algorithm>
#include <cstring>

namespace tinplate {

namespace {

int SquishFlags(DxtKind kind) {
    switch (kind) {
        case DxtKind::kDxt1:
            return squish::kDxt1;
        case DxtKind::kDxt3:
            return squish::kDxt3;
        case DxtKind::kDxt5:
            return squish::kDxt5;
    }
    return squish::kDxt1;
}

std::size_t BlockBytes(DxtKind kind) {
    return kind == DxtKind::kDxt1 ? 8 : 16;
}

// The library writes R, G, B, A whatever flag asks for B, G, R, A.
std::uint32_t RgbaToBgra(std::uint32_t rgba) {
    return (rgba & 0xFF00FF00u) | (rgba & 0x000000FFu) << 16 | (rgba >> 16 & 0x000000FFu);
}

}  // namespace

std::uint64_t DxtDataSize(DxtKind kind, std::uint32_t width, std::uint32_t height) {
    return ((std::uint64_t{width} + 3) / 4) * ((std::uint64_t{height} + 3) / 4) * BlockBytes(kind);
}

void DecodeDxtRows(DxtKind kind, std::uint32_t width, std::span<const std::uint8_t> blocks,
                   std::uint32_t firstRow, std::uint32_t rowCount, std::span<std::uint8_t> out) {
    const int flags = SquishFlags(kind);
    const std::size_t blockBytes = BlockBytes(kind);
    const std::size_t blockRowBytes = (std::size_t{width} + 3) / 4 * blockBytes;
    const std::size_t rowBytes = std::size_t{width} * 4;
    const std::uint32_t endRow = firstRow + rowCount;
    // Block by block rather than the library's whole-image call: its worker threads would
    // outlive the call and spin on the cores the rest of the conversion needs, and the
    // swap to B, G, R, A and the flip happen as each block lands.
    for (std::uint32_t top = firstRow; top < endRow; top += 4) {
        const std::uint8_t* block = blocks.data() + top / 4 * blockRowBytes;
        const std::uint32_t rows = std::min(4u, endRow - top);
        for (std::uint32_t left = 0; left < width; left += 4, block += blockBytes) {
            std::uint32_t decoded[16];
            squish::Decompress(reinterpret_cast<squish::u8*>(decoded), block, flags);
            const std::uint32_t columns = std::min(4u, width - left);
            for (std::uint32_t y = 0; y < rows; ++y) {
                std::uint8_t* target =
                    out.data() + (endRow - 1 - (top + y)) * rowBytes + std::size_t{left} * 4;
                for (std::uint32_t x = 0; x < columns; ++x) {
                    const std::uint32_t bgra = RgbaToBgra(decoded[y * 4 + x]);
                    std::memcpy(target + x * 4, &bgra, 4);
                }
            }
        }
    }
}

std::vector<std::uint8_t> DecodeDxt(DxtKind kind, std::uint32_t width, std::uint32_t height,
                                    std::span<const std::uint8_t> blocks) {
    std::vector<std::uint8_t> pixels(std::size_t{width} * height * 4);
    DecodeDxtRows(kind, width, blocks, 0, height, pixels);
    return pixels;
}

}  // namespace tinplate
