// SPDX-License-Identifier: GPL-3.0-or-later
// A texture moved into a kind its new platform holds, keeping every value that fits.
#pragma once

#include "txd/PlatformLayout.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The record in the first kind `layout` holds that keeps its picture: 4-bit indices as 8-bit
// ones (a 32-entry palette first), a 32-entry palette as 4-bit indices when no index reaches
// past 16, else as 256 entries; 16-bit, 24-bit and block-compressed texels as 8888. Palettes
// and indices keep their values. False, and the record unchanged, when no such kind is held.
bool AdaptKind(TextureRecord& record, const PlatformLayout& layout);

}  // namespace tinplate
