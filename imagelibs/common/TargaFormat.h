// SPDX-License-Identifier: GPL-3.0-or-later
// Truevision Targa images.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imagelibs/common/Picture.h"

namespace tinplate {

// Truevision Targa images.

// Reads colour-mapped images (types 1 and 9: 8-bit indices, 24- or 32-bit map entries) as 8-bit
// pictures whose colour table holds the map from index 0 on, and true-colour images (types 2
// and 10, 24 or 32 bits) as 32-bit pictures (24-bit pixels become opaque), with bottom-left or
// top-left origin. Empty for anything else, right-to-left images and sides of 0 included.
std::optional<Picture> ParseTarga(std::span<const std::uint8_t> file);

// Writes an 8-bit picture as a colour-mapped image (type 1) whose 32-bit map entries are the
// colour table byte for byte, a 32-bit picture as a true-colour image (type 2); bottom-left
// origin, rows in the picture's order. Empty when the picture does not fit the format.
std::optional<EncodedFile> EncodeTarga(Picture picture);

}  // namespace tinplate
