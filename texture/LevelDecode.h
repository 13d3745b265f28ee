// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding one level of any kind into an RGBA picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// One level of the texture (`level` holds exactly the bytes of a width x height level of its
// kind) as the picture area shows it by default, the stored view: an uncompressed platform 5
// texture's first stored row at the bottom, block-compressed rows and all rows of the Direct3D
// layouts from the top, palette entries looked up, DXT decoded by libsquish. A texture without
// alpha (UsesAlpha) gives opaque pixels. Empty for a kind without a picture (HasPicture).
RgbaImage DecodeLevel(const TextureRecord& record, std::span<const std::uint8_t> level,
                      std::uint32_t width, std::uint32_t height);

// Level `index` (0 = the first) as the texture's platform's games draw it: top row first,
// unswizzled, whatever the platform and the texture's order. Empty for a kind without a
// picture and for a level that cannot be read in game order.
RgbaImage GamePicture(const TextureRecord& record, std::size_t index = 0);

// A level already in game order (GameLevelOf) decoded with the texture's game palette.
RgbaImage DecodeGameLevel(const TextureRecord& record, std::span<const std::uint8_t> level,
                          std::uint32_t width, std::uint32_t height);

}  // namespace tinplate
