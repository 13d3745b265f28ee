// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "RgbaImage.h"
#include "TextureKind.h"
#include "TextureRecord.h"

// Textures laid out anew from pictures. Every result is marked `laidOutAnew`, its sizes match
// its bytes, its level count and the levels mark of its format word agree, and an 8-bit
// texture's format word names its palette size. Levels form a full chain down to 1 x 1 (each
// side halved, never below 1), each filtered from the one before.

// A new texture of `kind` showing `picture`. An 8-bit kind takes the picture's own colours when
// they fit, otherwise ReduceColours' choice. The format word and the alpha word follow the
// kind and whether any pixel is translucent.
TextureRecord BuildTexture(const RgbaImage& picture, TextureKind kind, bool withLevels,
                           std::uint32_t filterFlags);

// `record`, of kind `kind`, redrawn as `picture` (of any size), levels and all; an 8-bit
// texture keeps its palette and the words stay except for the levels mark.
TextureRecord RedrawTexture(const TextureRecord& record, TextureKind kind, const RgbaImage& picture,
                            bool withLevels);

// `record` with a chain of levels made from `firstLevel`, its first level's picture; the
// first level's bytes stay as they are.
TextureRecord WithLevelChain(const TextureRecord& record, TextureKind kind,
                             const RgbaImage& firstLevel);

// `record` with its first level only.
TextureRecord WithoutLevels(const TextureRecord& record);
