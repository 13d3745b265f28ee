// SPDX-License-Identifier: GPL-3.0-or-later
// Reading PNG files with libpng, row by row.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "texture/RgbaImage.h"

namespace tinplate {

// True for a file that starts with the PNG signature.
bool IsPngFile(std::span<const std::uint8_t> file);

// A PNG read by libpng, which inflates only as many rows as the header declares: a small file
// whose compressed data would inflate to far more than its picture costs no more memory than
// the picture. The picture must measure width x height (any size a texture may have when both
// are 0), checked before any row is read; a FileError naming `fileName` refuses other sizes
// and damaged files.
RgbaImage DecodePng(std::span<const std::uint8_t> file, const std::string& fileName,
                    std::uint32_t width, std::uint32_t height);

}  // namespace tinplate
