// SPDX-License-Identifier: GPL-3.0-or-later
// Palettes and palette indices made from RGBA pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// An 8-bit texture's palette (B, G, R, A entries) and one level's indices, bottom row first.
struct PaletteLevel {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> indices;
};

// The first level of an 8-bit texture made from `image`. When every colour of the picture is
// in the texture's palette, the palette is kept and each pixel takes the first entry of its
// colour, so a picture exported from the texture comes back byte for byte. Otherwise
// libimagequant makes a new palette of the same number of entries (those it leaves unused are
// zero) and maps the pixels to it, dithered when `dither`. Alpha takes part only when the
// texture uses it (UsesAlpha).
PaletteLevel QuantiseFirstLevel(const TextureRecord& record, const RgbaImage& image, bool dither);

// A smaller level for `palette`: each pixel the nearest entry, bottom row first.
std::vector<std::uint8_t> MapToPalette(const std::vector<std::uint8_t>& palette,
                                       const RgbaImage& image, bool withAlpha);

// Indices made one a byte (as above) in the record kind's own form: 4-bit indices two a byte,
// the even texel's in the low nibble, each row of `width` rounded up to a whole byte.
std::vector<std::uint8_t> IndicesOfKind(const TextureRecord& record,
                                        std::vector<std::uint8_t> indices, std::uint32_t width);

}  // namespace tinplate
