// SPDX-License-Identifier: GPL-3.0-or-later
// Rows inside the 4 x 4 blocks of block-compressed textures.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tinplate {

// Bytes of one 4 x 4 block of a block-compressed kind (12, 14 or 15); 0 for any other kind.
std::size_t BlockBytes(std::int32_t compression);

// Reverses the order of pixel rows 0 .. rows - 1 (rows <= 4) inside one block of the given
// kind, moving each row's colour indices and alpha with it; the end points stay, so every
// pixel keeps its exact colour.
void MirrorBlockRows(std::uint8_t* block, std::int32_t compression, std::uint32_t rows);

}  // namespace tinplate
