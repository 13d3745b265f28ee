// SPDX-License-Identifier: GPL-3.0-or-later
// The encoder of every non-palette texel kind, DXT through libsquish.
#include "texture/LevelEncode.h"

#include <squish.h>

#include <algorithm>
#include <array>
#include <cstdlib>

#include "texture/DxtLineFit.h"

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

void AppendTexel(TextureKind kind, const std::uint8_t* rgba, std::vector<std::uint8_t>& out) {
    const std::uint8_t r = rgba[0], g = rgba[1], b = rgba[2], a = rgba[3];
    switch (kind) {
        case TextureKind::kRgb565:
            AppendWord(out, Reduce(r, 5) << 11 | Reduce(g, 6) << 5 | Reduce(b, 5));
            break;
        case TextureKind::kArgb1555:
            AppendWord(out,
                       Reduce(a, 1) << 15 | Reduce(r, 5) << 10 | Reduce(g, 5) << 5 | Reduce(b, 5));
            break;
        case TextureKind::kArgb4444:
            AppendWord(out,
                       Reduce(a, 4) << 12 | Reduce(r, 4) << 8 | Reduce(g, 4) << 4 | Reduce(b, 4));
            break;
        case TextureKind::kRgb888:
            out.insert(out.end(), {b, g, r});
            break;
        default:
            out.insert(out.end(), {b, g, r, a});
            break;
    }
}

int SquishFormat(TextureKind kind) {
    return kind == TextureKind::kDxt1   ? squish::kDxt1
           : kind == TextureKind::kDxt3 ? squish::kDxt3
                                        : squish::kDxt5;
}

int SquishFit(DxtQuality quality) {
    return quality == DxtQuality::Fast ? squish::kColourRangeFit : squish::kColourClusterFit;
}

// One block's pixels, R, G, B, A, and which of the 16 lie inside the picture.
struct BlockPixels {
    std::array<std::uint8_t, 64> rgba{};
    int mask = 0;
};

BlockPixels PixelsOfBlock(const RgbaImage& image, std::uint32_t left, std::uint32_t top) {
    BlockPixels block;
    for (std::uint32_t y = 0; y < 4 && top + y < image.height; ++y) {
        for (std::uint32_t x = 0; x < 4 && left + x < image.width; ++x) {
            const std::size_t from = (std::size_t{top + y} * image.width + left + x) * 4;
            std::copy_n(image.rgba.begin() + static_cast<std::ptrdiff_t>(from), 4,
                        block.rgba.begin() + (y * 4 + x) * 4);
            block.mask |= 1 << (y * 4 + x);
        }
    }
    return block;
}

// Mean absolute difference per colour channel between the block's pixels and what `encoded`
// decodes to; DXT1 pixels that turned transparent (alpha below 128) have no colour to compare.
double ColourError(const BlockPixels& block, const std::uint8_t* encoded, int format) {
    std::array<std::uint8_t, 64> decoded{};
    squish::Decompress(decoded.data(), encoded, format);
    int sum = 0;
    int channels = 0;
    for (int p = 0; p < 16; ++p) {
        if (!(block.mask & 1 << p) || (format == squish::kDxt1 && block.rgba[p * 4 + 3] < 128)) {
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            sum += std::abs(block.rgba[p * 4 + c] - decoded[p * 4 + c]);
        }
        channels += 3;
    }
    return channels == 0 ? 0.0 : static_cast<double>(sum) / channels;
}

// libsquish 1.15 finds a block's colour axis by a few power iterations from (1, 1, 1). When
// the colours vary along a direction whose components cancel out (red rising as blue falls,
// exactly, as in a gradient between complementary colours) the iteration never leaves the
// orthogonal plane: the axis comes out wrong, or not a number, and its range and cluster
// fits give blocks far off the picture (a mean error of 10 to 60 in single blocks). What the
// block could hold is measured by a plain fit along the principal line, found from a start
// that cannot be orthogonal; only where libsquish's block is worse than that does the block
// get libsquish's iterative fit and a search around the line's end points, at several times
// the cost, and the closest of the blocks is kept.
void EncodeBlock(const BlockPixels& block, int format, DxtQuality quality, std::uint8_t* out,
                 std::size_t blockBytes) {
    squish::CompressMasked(block.rgba.data(), block.mask, out, format | SquishFit(quality));
    const bool dxt1 = format == squish::kDxt1;
    const std::size_t colourAt = dxt1 ? 0 : 8;
    double bestError = ColourError(block, out, format);
    std::array<std::uint8_t, 16> candidate{};
    const auto keepIfCloser = [&] {
        const double error = ColourError(block, candidate.data(), format);
        if (error < bestError) {
            bestError = error;
            std::copy_n(candidate.begin(), blockBytes, out);
        }
    };
    const auto tryLine = [&](bool search) {
        std::copy_n(out, blockBytes, candidate.begin());
        const std::array<std::uint8_t, 8> colours =
            FitColoursAlongLine(block.rgba.data(), block.mask, dxt1, search);
        std::copy(colours.begin(), colours.end(), candidate.begin() + colourAt);
        keepIfCloser();
    };
    const double squishError = bestError;
    tryLine(false);
    if (bestError == squishError) {
        return;
    }
    squish::CompressMasked(block.rgba.data(), block.mask, candidate.data(),
                           format | squish::kColourIterativeClusterFit);
    keepIfCloser();
    tryLine(true);
}

std::vector<std::uint8_t> EncodeBlocks(TextureKind kind, const RgbaImage& image,
                                       DxtQuality quality) {
    const int format = SquishFormat(kind);
    const std::size_t blockBytes = kind == TextureKind::kDxt1 ? 8 : 16;
    std::vector<std::uint8_t> level(std::size_t{(image.width + 3) / 4} * ((image.height + 3) / 4) *
                                    blockBytes);
    std::uint8_t* out = level.data();
    for (std::uint32_t top = 0; top < image.height; top += 4) {
        for (std::uint32_t left = 0; left < image.width; left += 4, out += blockBytes) {
            EncodeBlock(PixelsOfBlock(image, left, top), format, quality, out, blockBytes);
        }
    }
    return level;
}

}  // namespace

std::vector<std::uint8_t> EncodeLevel(TextureKind kind, const RgbaImage& image,
                                      DxtQuality quality) {
    std::vector<std::uint8_t> level;
    if (image.rgba.empty()) {
        return level;
    }
    if (IsBlockCompressed(kind)) {
        return EncodeBlocks(kind, image, quality);
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
