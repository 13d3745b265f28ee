// SPDX-License-Identifier: GPL-3.0-or-later
// The sizes a texture's header fields call for.
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// The format word's palette bits decide; files that set neither fall back to comparing the
// word with the thresholds older files were sorted by.
std::uint64_t PaletteSizeFor(std::uint32_t alphaFlags) {
    if (alphaFlags & format::kPalette32) {
        return 128;
    }
    if (alphaFlags & format::kPalette256) {
        return 1024;
    }
    if (alphaFlags < 10000 || alphaFlags > 40000) {
        return 1024;
    }
    if (alphaFlags > 10000 && alphaFlags < 40000) {
        return 128;
    }
    return 0;
}

std::uint64_t BlockCount(std::uint32_t width, std::uint32_t height) {
    return static_cast<std::uint64_t>((width + 3) / 4) * ((height + 3) / 4);
}

}  // namespace

TextureSizes SizesForHeader(std::int16_t depth, std::int32_t compression, std::uint32_t width,
                            std::uint32_t height, std::uint32_t alphaFlags) {
    const std::uint64_t area = static_cast<std::uint64_t>(width) * height;
    if (depth == 8) {
        std::uint64_t palette = PaletteSizeFor(alphaFlags);
        return palette == 0 ? TextureSizes{} : TextureSizes{palette, area};
    }
    if (depth <= 0) {
        return {};
    }
    switch (compression) {
        case compression::kNone:
            return {0, static_cast<std::uint64_t>(depth / 8) * area};
        case compression::kDxt1:
            return {0, BlockCount(width, height) * 8};
        case compression::kDxt3:
        case compression::kDxt5:
            return {0, BlockCount(width, height) * 16};
        default:
            return {};
    }
}

}  // namespace tinplate
