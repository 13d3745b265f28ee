// SPDX-License-Identifier: GPL-3.0-or-later
// Where a PS2 raster's levels and palette go in GS memory, and the header and packets saying so.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "txd/Ps2Raster.h"

namespace tinplate::ps2 {

using GifPacket = std::array<std::uint8_t, kGifPacketSize>;

struct LevelUpload {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    Transfer transfer;
    GifPacket packet{};
};

// The header fields and GIF packets the platform's own library makes for a raster of this
// kind and size, so that a game's upload finds every level and the palette where it expects
// them. `packets` is false for a raster too large for one packet (level 0 of 0x7FFF
// quadwords or more), whose levels and palette are stored without them.
struct GsAllocation {
    std::uint64_t tex0 = 0;
    std::uint32_t paletteBase = 0;
    std::uint32_t tex1Low = 0;
    std::uint64_t miptbp1 = 0;
    std::uint64_t miptbp2 = 0;
    std::uint32_t pixelAreaSize = 0;
    std::uint32_t paletteAreaSize = 0;
    std::uint32_t totalSize = 0;
    bool packets = true;
    std::vector<LevelUpload> levels;
    GifPacket palettePacket{};
    std::uint32_t paletteBytes = 0;  // the stored entries, slots included
};

// The allocation of a `width` x `height` raster (powers of two, at most 1024) with all the
// levels its chain has when `mips`; `swizzlePal4` as the dictionary's library version says.
GsAllocation AllocateRaster(Kind kind, std::uint32_t width, std::uint32_t height, bool mips,
                            bool swizzlePal4);

// Whether level 0 of such a raster fits one GIF packet (below 0x7FFF quadwords).
bool FitsOnePacket(Kind kind, std::uint32_t width, std::uint32_t height);

}  // namespace tinplate::ps2
