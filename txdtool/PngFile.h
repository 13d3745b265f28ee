// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a screen picture as a PNG file.
#pragma once

#include <string>

#include "fileio/AtomicFile.h"
#include "preview/BitmapImage.h"
#include "texture/RgbaImage.h"

namespace tinplate {

// Writes the picture as an 8-bit RGB PNG: the editor shows its pictures opaque. A FileError
// names `path`; "-" is standard output.
void WritePng(const std::string& path, const Image& image);

// The same for a picture with alpha, written as an 8-bit RGBA PNG, without waiting for the disk
// when `durability` says the picture can be made again.
void WritePng(const std::string& path, const RgbaImage& image,
              Durability durability = Durability::Flushed);

}  // namespace tinplate
