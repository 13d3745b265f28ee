// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzle All and Unswizzle All on one texture.
#pragma once

#include "txd/MortonOrder.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Convert the first level of one texture between row order and swizzled order. A square
// texture is one tile; a tall one a column of square tiles from top to bottom, a wide one a
// row of square tiles from left to right, stored one after another. The unit is one texel of
// depth / 8 bytes. Return false and leave the record as it is when it is outside what the
// order is defined for: a side that is not a power of two or is below 2, block-compressed
// pixels (never stored swizzled), a depth that is not a positive multiple of 8, or a pixel
// buffer that is not exactly width x height texels.
bool SwizzleTexture(TextureRecord& record);
bool UnswizzleTexture(TextureRecord& record);

}  // namespace tinplate
