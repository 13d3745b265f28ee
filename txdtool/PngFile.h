// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "BitmapImage.h"

// Writes the picture as an 8-bit RGB PNG: the editor shows its pictures opaque. A FileError
// names `path`; "-" is standard output.
void WritePng(const std::string& path, const Image& image);
