// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder of every non-palette texel kind, DXT through libsquish.
#include "texture/LevelEncode.h"

#include <squish.h>

namespace tinplate {

namespace {

std::uint32_t Reduce(std::uint8_t value, int bits) {
    const std::uint32_t max = (1u << bits) - 1;
    return (value * max + 127) / 255;
}

void AppendWord(std::vector<std::uint8_t>& out, std::uint32_t word) {
    out.push_back(static_cast<std::uint8_t>(word));
    out.push_back(static_cast<std::uint8_t>(word >> 8));
}

void AppendTexel(TexelKind kind, const std::uint8_t* rgba, std::vector<std::uint8_t>& out) {
    const std::uint8_t r = rgba[0], g = rgba[1], b = rgba[2], a = rgba[3];
    switch (kind) {
        case TexelKind::Rgb565:
            AppendWord(out, Reduce(r, 5) << 11 | Reduce(g, 6) << 5 | Reduce(b, 5));
            break;
        case TexelKind::Argb1555:
            AppendWord(out,
                       Reduce(a, 1) << 15 | Reduce(r, 5) << 10 | Reduce(g, 5) << 5 | Reduce(b, 5));
            break;
        case TexelKind::Argb4444:
            AppendWord(out,
                       Reduce(a, 4) << 12 | Reduce(r, 4) << 8 | Reduce(g, 4) << 4 | Reduce(b, 4));
            break;
        case TexelKind::Rgb888:
            out.insert(out.end(), {b, g, r});
            break;
        default:
            out.insert(out.end(), {b, g, r, a});
            break;
    }
}

int SquishFlags(TexelKind kind, DxtQuality quality) {
    const int fit =
        quality == DxtQuality::Fast ? squish::kColourRangeFit : squish::kColourClusterFit;
    const int format = kind == TexelKind::Dxt1   ? squish::kDxt1
                       : kind == TexelKind::Dxt3 ? squish::kDxt3
                                                 : squish::kDxt5;
    return format | fit;
}

}  // namespace

std::vector<std::uint8_t> EncodeLevel(TexelKind kind, const RgbaImage& image, DxtQuality quality) {
    std::vector<std::uint8_t> level;
    if (image.rgba.empty()) {
        return level;
    }
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    if (IsDxt(kind)) {
        const int flags = SquishFlags(kind, quality);
        level.resize(
            static_cast<std::size_t>(squish::GetStorageRequirements(width, height, flags)));
        squish::CompressImage(image.rgba.data(), width, height, level.data(), flags);
        return level;
    }
    level.reserve(std::size_t{image.width} * image.height * 4);
    for (std::uint32_t y = image.height; y-- > 0;) {
        const std::uint8_t* row = image.rgba.data() + std::size_t{y} * image.width * 4;
        for (std::uint32_t x = 0; x < image.width; ++x) {
            AppendTexel(kind, row + x * 4, level);
        }
    }
    return level;
}

}  // namespace tinplate
