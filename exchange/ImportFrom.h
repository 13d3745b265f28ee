// SPDX-License-Identifier: GPL-3.0-or-later
// Import From: a picture file of any format read and drawn into a texture.
#pragma once

#include <string>

#include "texture/PictureDrawing.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Replaces the texture's picture with the one in `path` (PNG, Targa, BMP, JPEG or DDS, of the
// texture's own size) converted into the texture's kind: 8-bit through PaletteLevels, 16-,
// 24- and 32-bit exactly as far as the kind holds, DXT by libsquish (a DDS of the texture's
// own FourCC gives its blocks unchanged). The smaller levels are made again from the picture:
// box-filtered, then converted the same way (8-bit levels to the nearest palette entry). A DDS
// holding all the texture's levels in its kind (GameLevelsInDds) gives every level as it
// is, and a picture that leaves the first level and palette as they were leaves the rest.
// Alpha counts only where the texture uses it; a 32-bit texture takes it as it is. The
// texture changes only when everything succeeded; a FileError names `path` and the reason.
void ImportPictureFile(TextureRecord& record, const std::string& path,
                       const PictureImportOptions& options);

// The first level of the picture file `path` (PNG, Targa, BMP or JPEG by its contents, or a
// DDS file, whose blocks are kept too) measuring width x height, or any size a texture can have
// for 0 x 0. A FileError names `path` and the reason.
FilePicture ReadPictureFile(const std::string& path, std::uint32_t width = 0,
                            std::uint32_t height = 0);

}  // namespace tinplate
