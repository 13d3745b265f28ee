// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a picture into a texture of its own kind: its first level and smaller levels.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "texture/LevelEncode.h"
#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The first level of a picture file.
struct FilePicture {
    RgbaImage image;
    std::string fourCc;                // "DXT1", "DXT3" or "DXT5"; empty when uncompressed
    std::vector<std::uint8_t> blocks;  // the level's blocks as stored, for block formats
};

struct PictureImportOptions {
    bool dither = true;  // when an 8-bit texture's colours are reduced
    DxtQuality dxtQuality = DxtQuality::Best;
    // Whether a restructuring edit may make a texture its platform cannot hold (sides that
    // are not powers of two where it swizzles, or longer than its games take).
    bool beyondPlatform = false;
};

// The texture's palette, first level and smaller levels made from `picture`, which has the
// texture's size and is the picture as the game draws it, as Image > Import From converts
// it; each level is stored in the texture's own order. A std::runtime_error says why a library
// failed; the texture is then as it was.
void DrawPicture(TextureRecord& record, FilePicture picture, const PictureImportOptions& options);

// Makes the texture's smaller levels again from its first level as the game draws it, as
// Image > Import From does, each stored in the texture's order.
void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality);

}  // namespace tinplate
