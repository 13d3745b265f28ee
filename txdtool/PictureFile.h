// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "RgbaImage.h"

// Reads the picture that add and replace take: a DDS file (DXT1, DXT3, DXT5 or 32-bit, its
// first level) or any file stb_image reads (PNG, Targa, BMP, JPEG and more). A FileError names
// the file and why it cannot be used.
RgbaImage ReadPicture(const std::string& path);
