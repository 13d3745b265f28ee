// SPDX-License-Identifier: GPL-3.0-or-later
// DXT pictures written as 32-bit bitmaps band by band.
#pragma once

#include <string>

#include "imagelibs/common/DdsFormat.h"

namespace tinplate {

// Writes the picture as a 32-bit bitmap, the file EncodeBitmap makes of ParseDds's picture,
// decoding a band of rows at a time as the file takes them. False on any failure.
bool WriteDxtAsBitmap(const std::string& path, const DxtImage& image);

}  // namespace tinplate
