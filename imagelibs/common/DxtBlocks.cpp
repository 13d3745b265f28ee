// SPDX-License-Identifier: GPL-3.0-or-later
#include "DxtBlocks.h"

#include <squish.h>

#include <cstring>

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

}  // namespace

std::uint64_t DxtDataSize(DxtKind kind, std::uint32_t width, std::uint32_t height) {
    const std::uint64_t blockBytes = kind == DxtKind::kDxt1 ? 8 : 16;
    return ((std::uint64_t{width} + 3) / 4) * ((std::uint64_t{height} + 3) / 4) * blockBytes;
}

std::vector<std::uint8_t> DecodeDxt(DxtKind kind, std::uint32_t width, std::uint32_t height,
                                    std::span<const std::uint8_t> blocks) {
    std::vector<std::uint8_t> pixels(std::size_t{width} * height * 4);
    if (pixels.empty()) {
        return pixels;
    }
    // A negative pitch has the library write the last row first: the flip costs nothing.
    const std::size_t rowBytes = std::size_t{width} * 4;
    squish::DecompressImage(pixels.data() + (height - 1) * rowBytes, static_cast<int>(width),
                            static_cast<int>(height), -static_cast<int>(rowBytes), blocks.data(),
                            SquishFlags(kind));
    // The library writes R, G, B, A whatever flag asks for B, G, R, A. Whole words, so that
    // the compiler swaps many pixels a step.
    for (std::size_t i = 0; i < pixels.size(); i += 4) {
        std::uint32_t rgba = 0;
        std::memcpy(&rgba, &pixels[i], 4);
        const std::uint32_t bgra =
            (rgba & 0xFF00FF00u) | (rgba & 0x000000FFu) << 16 | (rgba >> 16 & 0x000000FFu);
        std::memcpy(&pixels[i], &bgra, 4);
    }
    return pixels;
}
