// SPDX-License-Identifier: GPL-3.0-or-later
// Textures laid out anew from pictures: built, redrawn, with or without levels.
#pragma once

#include <cstdint>

#include "texture/PictureDrawing.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Textures laid out anew from pictures. Every result is marked `laidOutAnew`, its sizes match
// its bytes, its level count and the levels mark of its format word agree, and an 8-bit
// texture's format word names its palette size. Levels form a full chain down to 1 x 1 (each
// side halved, never below 1). Pictures are converted as Image > Import From converts them;
// a std::runtime_error says why a library failed.

// A new texture of `kind` showing `picture`, of the picture's size, in the layout of platform
// id `platform`. The format word and the alpha word follow the kind and whether any pixel is
// translucent.
TextureRecord BuildTexture(FilePicture picture, TextureKind kind, bool withLevels,
                           std::uint32_t filterFlags, const PictureImportOptions& options,
                           std::uint32_t platform = platform::kUsual);

// `record` redrawn as `picture`, which may have any size; its kind and words stay, except for
// the levels mark.
TextureRecord RedrawTexture(const TextureRecord& record, FilePicture picture, bool withLevels,
                            const PictureImportOptions& options);

// `record` with a full chain of levels made from its first level, which stays as it is.
TextureRecord WithLevelChain(const TextureRecord& record, DxtQuality quality);

// `record` with its first level only.
TextureRecord WithoutLevels(const TextureRecord& record);

}  // namespace tinplate
