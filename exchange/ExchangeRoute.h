// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds the image libraries trade in, and the file each goes through.
#pragma once

#include "txd/TextureKinds.h"

namespace tinplate {

// Export and Import take an 8-bit texture through a colour-mapped Targa, a 32-bit one through
// an uncompressed DDS and a block-compressed one through a DDS holding its blocks as they are;
// other kinds are neither exported nor imported.
inline bool TradesWithLibraries(TextureKind kind) {
    return IsPalettised(kind) || kind == TextureKind::kRgba32 || IsBlockCompressed(kind);
}

}  // namespace tinplate
