// SPDX-License-Identifier: GPL-3.0-or-later
// Telling from a texture's texels whether its levels are stored swizzled or row after row.
#pragma once

#include "txd/TextureRecord.h"

namespace tinplate {

// Sets `record.firstLevelOrder` and `record.order` from the texels: where the texture has a
// level chain, the reading in which the second level is the first averaged down decides;
// otherwise the reading in which neighbouring texels differ far less. Textures too small or
// too even to tell, and pictures that are noise in both readings, are taken to be swizzled,
// as guessed. Textures that cannot be swizzled (blocks, sides that are not powers of two) are
// linear.
void JudgeMortonOrder(TextureRecord& record);

}  // namespace tinplate
