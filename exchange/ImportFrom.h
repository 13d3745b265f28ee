// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "LevelEncode.h"
#include "TextureRecord.h"

struct PictureImportOptions {
    bool dither = true;  // when an 8-bit texture's colours are reduced
    DxtQuality dxtQuality = DxtQuality::Best;
};

// Replaces the texture's picture with the one in `path` (PNG, Targa, BMP, JPEG or DDS, of the
// texture's own size) converted into the texture's kind: 8-bit through PaletteLevels, 16-,
// 24- and 32-bit exactly as far as the kind holds, DXT by libsquish (a DDS of the texture's
// own FourCC gives its blocks unchanged). The smaller levels are made again from the picture:
// box-filtered, then converted the same way (8-bit levels to the nearest palette entry).
// Alpha counts only where the texture uses it; a 32-bit texture takes it as it is. The
// texture changes only when everything succeeded; a FileError names `path` and the reason.
void ImportPictureFile(TextureRecord& record, const std::string& path,
                       const PictureImportOptions& options);

// Makes the texture's smaller levels again from its first level, as ImportPictureFile does.
void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality);
