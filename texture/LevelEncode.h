// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding an RGBA picture into a level of a kind, and the DXT quality.
#pragma once

#include <cstdint>
#include <vector>

#include "texture/RgbaImage.h"
#include "texture/TexelKind.h"

namespace tinplate {

// How hard libsquish works on DXT blocks.
enum class DxtQuality {
    Best,  // cluster fit: close blocks at a bearable time (its iterative fit takes ~8 times longer)
    Fast,  // range fit
};

// The level bytes of `image` in a kind other than Palette and None, the inverse of
// DecodeLevel: uncompressed rows are stored bottom row first and every channel is rounded to
// the nearest value the kind holds (so a decoded level comes back byte for byte); DXT blocks
// are made by libsquish block by block, DXT1 turning pixels of alpha below 128 transparent,
// with its iterative fit where the chosen one misses a block's colours.
std::vector<std::uint8_t> EncodeLevel(TexelKind kind, const RgbaImage& image, DxtQuality quality);

}  // namespace tinplate
