// SPDX-License-Identifier: GPL-3.0-or-later
// The preview picture written as PNG, Targa or BMP.
#pragma once

#include <string>

#include "preview/BitmapImage.h"

#include "exchange/PictureFormat.h"

namespace tinplate {

// The format `path`'s extension names: .png, .tga or .bmp; "-" (standard output) is PNG. Any
// other extension is a UsageError.
PictureFormat PreviewFormatFor(const std::string& path);

// Writes the picture, opaque as the editor shows it: PNG as 8-bit RGB. A FileError names `path`
// and the reason.
void WritePreviewFile(const std::string& path, PictureFormat format, const Image& image);

}  // namespace tinplate
