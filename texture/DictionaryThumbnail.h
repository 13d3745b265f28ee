// SPDX-License-Identifier: GPL-3.0-or-later
// One picture of a dictionary's largest textures, for file managers.
#pragma once

#include <cstdint>
#include <span>

#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct PictureSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// width x height scaled up or down to the largest size that fits within boxWidth x boxHeight
// with the same proportions; no side below 1.
PictureSize FitInside(std::uint32_t width, std::uint32_t height, std::uint32_t boxWidth,
                      std::uint32_t boxHeight);

// At most this many textures are shown, the largest ones.
inline constexpr std::size_t kThumbnailTextures = 16;

// One picture of the dictionary whose longer side is at most `size`: its largest textures
// with a picture (by area; ties in file order) in rows of square cells, largest first, each
// fitted into its cell and centred on a transparent background. A single texture fills the
// whole picture. Empty when no texture has a picture.
RgbaImage DictionaryThumbnail(std::span<const TextureEntry> textures, std::uint32_t size);

}  // namespace tinplate
