// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "RgbaImage.h"
#include "TextureRecord.h"

// Between texture bytes and RGBA pictures. Palettes and 32-bit texels are stored B, G, R, A.

// The first level of `record`: 8-bit palette-indexed (an index past the palette is transparent
// black), 32-bit uncompressed, or DXT1/3/5 blocks. Empty for any other kind and for a record
// whose bytes do not fit its size and kind.
std::optional<RgbaImage> DecodeFirstLevel(const TextureRecord& record);

// Four bytes a texel, B, G, R, A.
std::vector<std::uint8_t> EncodeBgra(const RgbaImage& image);

// DXT blocks of compression 12, 14 or 15: one block per started 4 x 4 tile.
std::vector<std::uint8_t> EncodeBlocks(const RgbaImage& image, std::int32_t compression);

// Swaps the first and third byte of every four: R, G, B, A <-> B, G, R, A.
std::vector<std::uint8_t> SwapRedBlue(std::span<const std::uint8_t> quads);

bool HasTranslucentPixel(const RgbaImage& image);
