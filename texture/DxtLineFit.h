// SPDX-License-Identifier: GPL-3.0-or-later
// A DXT colour block fitted along the principal line of the block's colours.
#pragma once

#include <array>
#include <cstdint>

namespace tinplate {

// The eight colour bytes of a DXT block (two 5:6:5 end points and sixteen 2-bit indices) for
// the pixels `rgba` (16 × R, G, B, A) of which `mask` marks those inside the picture. The end
// points start at the ends of the colours' principal line; with `search` they are then moved
// one 5:6:5 step at a time while that lowers the error. `dxt1` allows the three-colour mode
// and keeps pixels of alpha below 128 transparent; without it the block always decodes as
// four colours (DXT3, DXT5).
std::array<std::uint8_t, 8> FitColoursAlongLine(const std::uint8_t* rgba, int mask, bool dxt1,
                                                bool search);

}  // namespace tinplate
