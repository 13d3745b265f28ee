// SPDX-License-Identifier: GPL-3.0-or-later
// Moving textures between palette sizes and into 8888 without requantising.
#include "pixelops/KindAdaptation.h"

#include <squish.h>

#include <algorithm>
#include <functional>

#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kPaletteBits = format::kPalette256 | format::kPalette32;

using LevelConversion = std::function<std::vector<std::uint8_t>(
    std::span<const std::uint8_t> level, std::uint32_t width, std::uint32_t height)>;

// Every level of the record through `convert`, the first into `pixels`, the rest behind it.
void ConvertLevels(TextureRecord& r, const LevelConversion& convert) {
    const std::vector<LevelSize> sizes = SmallerLevelSizes(r);
    const auto smaller = SmallerLevelBytes(r);
    const std::vector<std::uint8_t> first = convert(r.pixels, r.width, r.height);
    std::vector<std::uint8_t> rest;
    for (std::size_t i = 0; i < smaller.size() && i < sizes.size(); ++i) {
        const auto level = convert(smaller[i], sizes[i].width, sizes[i].height);
        rest.insert(rest.end(), level.begin(), level.end());
    }
    r.pixels = ByteBuffer(first);
    r.pixelSize = static_cast<std::uint32_t>(first.size());
    r.smallerLevels = ByteBuffer(rest);
    r.pixelOffset = 0;
    r.levelDataEnd = static_cast<std::uint32_t>(first.size() + rest.size());
}

std::uint8_t IndexAt(bool nibbles, std::span<const std::uint8_t> level, std::uint32_t width,
                     std::uint32_t x, std::uint32_t y) {
    if (!nibbles) {
        return level[std::size_t{y} * width + x];
    }
    return (level[std::size_t{y} * ((width + 1) / 2) + x / 2] >> (x % 2 * 4)) & 0xF;
}

// Indices of one palette kind as another: a byte or a nibble each.
void ConvertIndices(TextureRecord& r, TextureKind to) {
    const bool fromNibbles = KindOf(r) == TextureKind::kPalette16;
    const bool toNibbles = to == TextureKind::kPalette16;
    ConvertLevels(r, [&](std::span<const std::uint8_t> level, std::uint32_t w, std::uint32_t h) {
        const std::uint32_t rowBytes = toNibbles ? (w + 1) / 2 : w;
        std::vector<std::uint8_t> out(std::size_t{rowBytes} * h);
        for (std::uint32_t y = 0; y < h; ++y) {
            for (std::uint32_t x = 0; x < w; ++x) {
                const std::uint8_t index = IndexAt(fromNibbles, level, w, x, y);
                if (toNibbles) {
                    out[std::size_t{y} * rowBytes + x / 2] |=
                        static_cast<std::uint8_t>((index & 0xF) << (x % 2 * 4));
                } else {
                    out[std::size_t{y} * rowBytes + x] = index;
                }
            }
        }
        return out;
    });
    const KindFacts& facts = FactsOf(to);
    std::vector<std::uint8_t> palette(r.palette);
    palette.resize(facts.paletteBytes, 0);
    r.palette = ByteBuffer(palette);
    r.paletteSize = facts.paletteBytes;
    r.depth = facts.depth;
    r.alphaFlags = (r.alphaFlags & ~kPaletteBits) | (facts.translucentFormat & kPaletteBits);
}

bool IndicesBelow16(const TextureRecord& r) {
    const auto below = [](std::span<const std::uint8_t> level) {
        return std::all_of(level.begin(), level.end(), [](std::uint8_t i) { return i < 16; });
    };
    const auto smaller = SmallerLevelBytes(r);
    return below(r.pixels) && std::all_of(smaller.begin(), smaller.end(), below);
}

std::uint8_t Expand(std::uint32_t value, int bits) {
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<std::uint8_t>(((value & max) * 255 + max / 2) / max);
}

// B, G, R, A of every texel of an uncompressed 16- or 24-bit or a block-compressed level.
std::vector<std::uint8_t> AsBgra(TextureKind kind, std::span<const std::uint8_t> level,
                                 std::uint32_t w, std::uint32_t h) {
    const std::size_t texels = std::size_t{w} * h;
    std::vector<std::uint8_t> out(texels * 4);
    if (IsBlockCompressed(kind)) {
        const int flag = kind == TextureKind::kDxt1   ? squish::kDxt1
                         : kind == TextureKind::kDxt3 ? squish::kDxt3
                                                      : squish::kDxt5;
        squish::DecompressImage(out.data(), static_cast<int>(w), static_cast<int>(h), level.data(),
                                flag);
        for (std::size_t i = 0; i < texels; ++i) {
            std::swap(out[i * 4], out[i * 4 + 2]);
        }
        return out;
    }
    for (std::size_t i = 0; i < texels; ++i) {
        std::uint8_t* d = &out[i * 4];
        if (kind == TextureKind::kRgb888) {
            std::copy_n(&level[i * 3], 3, d);
            d[3] = 255;
            continue;
        }
        const std::uint32_t word = level[i * 2] | level[i * 2 + 1] << 8;
        switch (kind) {
            case TextureKind::kRgb565:
                d[0] = Expand(word, 5), d[1] = Expand(word >> 5, 6), d[2] = Expand(word >> 11, 5);
                d[3] = 255;
                break;
            case TextureKind::kArgb4444:
                d[0] = Expand(word, 4), d[1] = Expand(word >> 4, 4), d[2] = Expand(word >> 8, 4);
                d[3] = Expand(word >> 12, 4);
                break;
            default:
                d[0] = Expand(word, 5), d[1] = Expand(word >> 5, 5), d[2] = Expand(word >> 10, 5);
                d[3] = Expand(word >> 15, 1);
                break;
        }
    }
    return out;
}

void ConvertToRgba32(TextureRecord& r) {
    const TextureKind kind = KindOf(r);
    ConvertLevels(r, [kind](std::span<const std::uint8_t> level, std::uint32_t w, std::uint32_t h) {
        return AsBgra(kind, level, w, h);
    });
    const KindFacts& facts = FactsOf(TextureKind::kRgba32);
    r.depth = facts.depth;
    r.compression = facts.compression;
    r.alphaFlags = (r.alphaFlags & ~(format::kPixelFormatMask | kPaletteBits)) | format::kPixel8888;
    r.palette = ByteBuffer();
    r.paletteSize = 0;
}

}  // namespace

bool AdaptKind(TextureRecord& r, const PlatformLayout& layout) {
    const TextureKind kind = KindOf(r);
    if (layout.Holds(kind) || !HasPicture(kind) || r.pixels.size() != r.pixelSize) {
        return layout.Holds(kind);
    }
    if (IsPalettised(kind)) {
        std::vector<TextureKind> choices;
        if (kind == TextureKind::kPalette16) {
            choices.push_back(TextureKind::kPalette32);
        }
        if (kind != TextureKind::kPalette256 && IndicesBelow16(r)) {
            choices.push_back(TextureKind::kPalette16);
        }
        choices.push_back(TextureKind::kPalette256);
        for (const TextureKind choice : choices) {
            if (choice != kind && layout.Holds(choice)) {
                ConvertIndices(r, choice);
                return true;
            }
        }
        return false;
    }
    if (!layout.Holds(TextureKind::kRgba32)) {
        return false;
    }
    ConvertToRgba32(r);
    return true;
}

}  // namespace tinplate
