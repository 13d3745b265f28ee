// SPDX-License-Identifier: GPL-3.0-or-later
// Small pictures of textures, made from the one level that suffices.
#pragma once

#include <cstdint>

#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Small pictures of textures, made from as few bytes as will do: large textures with levels
// cost little, and memory stays bounded by the size asked for, whatever the texture's.

// The texture reduced to the one level a picture of width x height is best made from, its
// texels in game order (top row first, unswizzled): the
// smallest stored level at least that large in both sides (else the first), and of a level
// still huge, every n-th texel (every n-th block of a DXT texture). The result holds copies of
// its bytes and no smaller levels, so that it may be decoded on another thread while the
// texture changes. No pixels for a texture without a picture or one whose first level does
// not hold its bytes.
TextureRecord LevelForSize(const TextureRecord& record, std::uint32_t width, std::uint32_t height);

// The first level of `level` (as LevelForSize gives it, as the game draws it) scaled to width
// x height with the box filter; empty when it has no picture.
RgbaImage ScaledLevel(const TextureRecord& level, std::uint32_t width, std::uint32_t height);

// Both: the texture's picture as the game draws it at width x height.
inline RgbaImage ScaledPicture(const TextureRecord& record, std::uint32_t width,
                               std::uint32_t height) {
    return ScaledLevel(LevelForSize(record, width, height), width, height);
}

}  // namespace tinplate
