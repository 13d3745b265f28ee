// SPDX-License-Identifier: GPL-3.0-or-later
// The decoder of every texel kind, DXT through libsquish.
#include "texture/LevelDecode.h"

#include <squish.h>

#include <array>
#include <cstring>
#include <optional>

#include "txd/GameLevels.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

std::uint8_t Expand(std::uint32_t value, int bits) {
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<std::uint8_t>(((value & max) * 255 + max / 2) / max);
}

// R, G, B, A of one uncompressed texel.
void ReadTexel(TextureKind kind, const std::uint8_t* texel,
               const std::vector<std::uint8_t>& palette, std::uint8_t* out) {
    const auto set = [out](std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a) {
        out[0] = r;
        out[1] = g;
        out[2] = b;
        out[3] = a;
    };
    const std::uint32_t word = IsPalettised(kind) ? 0 : texel[0] | texel[1] << 8;
    switch (kind) {
        case TextureKind::kPalette256:
        case TextureKind::kPalette32:
        case TextureKind::kPalette16: {
            const std::size_t entry = std::size_t{texel[0]} * 4;
            if (entry + 4 > palette.size()) {
                set(0, 0, 0, 0);
            } else {
                set(palette[entry + 2], palette[entry + 1], palette[entry], palette[entry + 3]);
            }
            break;
        }
        case TextureKind::kRgb565:
            set(Expand(word >> 11, 5), Expand(word >> 5, 6), Expand(word, 5), 255);
            break;
        case TextureKind::kArgb1555:
            set(Expand(word >> 10, 5), Expand(word >> 5, 5), Expand(word, 5),
                Expand(word >> 15, 1));
            break;
        case TextureKind::kArgb4444:
            set(Expand(word >> 8, 4), Expand(word >> 4, 4), Expand(word, 4), Expand(word >> 12, 4));
            break;
        case TextureKind::kRgb888:
            set(texel[2], texel[1], texel[0], 255);
            break;
        default:
            set(texel[2], texel[1], texel[0], texel[3]);
            break;
    }
}

int SquishFlag(TextureKind kind) {
    return kind == TextureKind::kDxt1   ? squish::kDxt1
           : kind == TextureKind::kDxt3 ? squish::kDxt3
                                        : squish::kDxt5;
}

// One row of 8-bit indices or 32-bit texels, the kinds whole pictures are mostly made of,
// without asking the kind again for every texel. False for the other kinds.
bool DecodeCommonRow(TextureKind kind, const std::uint8_t* stored, std::uint32_t width,
                     const std::array<std::uint8_t, 1024>* colours, std::uint8_t* out) {
    if (kind == TextureKind::kRgba32) {
        for (std::uint32_t x = 0; x < width; ++x, stored += 4, out += 4) {
            out[0] = stored[2];
            out[1] = stored[1];
            out[2] = stored[0];
            out[3] = stored[3];
        }
        return true;
    }
    if (colours == nullptr) {
        return false;
    }
    for (std::uint32_t x = 0; x < width; ++x, out += 4) {
        std::memcpy(out, colours->data() + std::size_t{stored[x]} * 4, 4);
    }
    return true;
}

// Every index's R, G, B, A (nothing past the palette's end), for the kinds of one index a byte.
std::optional<std::array<std::uint8_t, 1024>> ColoursOf(TextureKind kind,
                                                        const std::vector<std::uint8_t>& palette) {
    if (kind != TextureKind::kPalette256 && kind != TextureKind::kPalette32) {
        return std::nullopt;
    }
    std::array<std::uint8_t, 1024> colours{};
    for (std::uint32_t index = 0; index < 256; ++index) {
        const std::uint8_t texel[4] = {static_cast<std::uint8_t>(index)};
        ReadTexel(kind, texel, palette, colours.data() + index * 4);
    }
    return colours;
}

// The level's pixels, its first stored row on top when `topDown`, palette entries from
// `palette`.
RgbaImage DecodeTexels(const TextureRecord& record, const std::vector<std::uint8_t>& palette,
                       std::span<const std::uint8_t> level, std::uint32_t width,
                       std::uint32_t height, bool topDown) {
    const TextureKind kind = KindOf(record);
    RgbaImage image;
    if (!HasPicture(kind)) {
        return image;
    }
    image.width = width;
    image.height = height;
    image.rgba.resize(std::size_t{width} * height * 4);
    if (IsBlockCompressed(kind)) {
        if (!image.rgba.empty()) {
            squish::DecompressImage(image.rgba.data(), static_cast<int>(width),
                                    static_cast<int>(height), level.data(), SquishFlag(kind));
        }
    } else {
        const std::size_t texelBytes = FactsOf(kind).texelBytes;
        const std::size_t rowBytes = RowBytesOf(kind, width);
        const auto colours = ColoursOf(kind, palette);
        for (std::uint32_t y = 0; y < height; ++y) {
            const std::uint8_t* stored = level.data() + std::size_t{y} * rowBytes;
            const std::uint32_t row = topDown ? y : height - 1 - y;
            std::uint8_t* out = image.rgba.data() + std::size_t{row} * width * 4;
            if (DecodeCommonRow(kind, stored, width, colours ? &*colours : nullptr, out)) {
                continue;
            }
            for (std::uint32_t x = 0; x < width; ++x) {
                if (texelBytes == 0) {
                    // Two indices a byte, the even texel's in the low nibble.
                    // A texel's whole width, as ReadTexel may look at it before its kind.
                    const std::uint8_t index[4] = {
                        static_cast<std::uint8_t>((stored[x / 2] >> (x % 2 * 4)) & 0xF)};
                    ReadTexel(kind, index, palette, out + x * 4);
                } else {
                    ReadTexel(kind, stored + x * texelBytes, palette, out + x * 4);
                }
            }
        }
    }
    if (!UsesAlpha(record)) {
        for (std::size_t i = 3; i < image.rgba.size(); i += 4) {
            image.rgba[i] = 255;
        }
    }
    return image;
}

}  // namespace

RgbaImage DecodeLevel(const TextureRecord& record, std::span<const std::uint8_t> level,
                      std::uint32_t width, std::uint32_t height) {
    return DecodeTexels(record, record.palette, level, width, height, FirstRowOnTop(record));
}

RgbaImage GamePicture(const TextureRecord& record, std::size_t index) {
    const GameLevel level = GameLevelOf(record, index);
    if (level.bytes.empty()) {
        return {};
    }
    return DecodeGameLevel(record, level.bytes, level.width, level.height);
}

RgbaImage DecodeGameLevel(const TextureRecord& record, std::span<const std::uint8_t> level,
                          std::uint32_t width, std::uint32_t height) {
    return DecodeTexels(record, GamePaletteOf(record), level, width, height, true);
}

}  // namespace tinplate
