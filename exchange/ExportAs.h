// SPDX-License-Identifier: GPL-3.0-or-later
// Export As: a texture written as a PNG, Targa, BMP or DDS file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/PictureFormat.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Whether a picture can be made of the texture (HasPicture of its kind).
bool HasPicture(const TextureRecord& record);

// Writes the texture to `path`, replacing any file of that name. PNG, Targa and BMP hold the
// first level upright as RGBA with the texture's real alpha (opaque when it has none); DDS
// keeps the texture's kind and every stored level (EncodeDdsWithLevels). The file is encoded
// in full before it is written. A FileError names `path` and the reason, a kind without a
// picture included.
void ExportTextureAs(const TextureRecord& record, const std::string& path, PictureFormat format);

// The bytes ExportTextureAs writes; a FileError names `path`.
std::vector<std::uint8_t> EncodeTextureAs(const TextureRecord& record, const std::string& path,
                                          PictureFormat format);

}  // namespace tinplate
