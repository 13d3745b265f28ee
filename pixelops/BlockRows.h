// SPDX-License-Identifier: GPL-3.0-or-later
// Rows inside the 4 x 4 blocks of block-compressed textures.
#pragma once

#include <cstddef>
#include <cstdint>

#include "txd/TextureKinds.h"

namespace tinplate {

// Reverses the order of pixel rows 0 .. rows - 1 (rows <= 4) inside one block of the given
// kind, moving each row's colour indices and alpha with it; the end points stay, so every
// pixel keeps its exact colour.
void MirrorBlockRows(std::uint8_t* block, TextureKind kind, std::uint32_t rows);

}  // namespace tinplate
