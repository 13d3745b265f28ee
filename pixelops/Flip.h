// SPDX-License-Identifier: GPL-3.0-or-later
// Mirroring a texture's levels top to bottom.
#pragma once

#include "txd/TextureRecord.h"

namespace tinplate {

// Mirrors every stored level top to bottom in place: row y becomes row height - 1 - y, so the
// picture stands the same way at every distance.
// Uncompressed textures swap rows of width x depth / 8 bytes. Block-compressed ones swap their rows
// of 4 x 4 blocks and, inside every block, the four pixel rows of its colour indices and alpha; a
// texture less than 4 high mirrors its rows inside its one row of blocks. Flipping twice gives back
// the same bytes.
//
// Returns false and leaves the record as it is when a level's bytes do not have the size its
// kind calls for, a side is zero, or a block-compressed level has a height above 4 that is
// not a multiple of 4 (its rows would have to move between blocks, which cannot be done
// without encoding the blocks anew).
bool FlipTexture(TextureRecord& record);

}  // namespace tinplate
