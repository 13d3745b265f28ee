// SPDX-License-Identifier: GPL-3.0-or-later
// Where the parts of a PS2 texture block lie: its chunks, names, raster header, each level's
// GIF packet and the palette's, every one checked against the others on the way.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "txd/PlatformLayout.h"
#include "txd/Ps2GsAllocation.h"
#include "txd/Ps2Raster.h"
#include "txd/Ps2Texels.h"

namespace tinplate::ps2 {

inline constexpr std::uint32_t kStringChunk = 2;
inline constexpr std::uint32_t kFirstStructSize = 8;
inline constexpr std::uint32_t kNamesAt = 32;  // the name's string chunk, from the block start
inline constexpr std::uint32_t kMaxSide = 1024;
// The raster header version whose levels each follow a GIF packet, the only one read.
inline constexpr std::int16_t kHeaderWithPackets = 2;

// Where the parts of a block lie, from its start; what the record is made from.
struct BlockMap {
    std::uint64_t nameChunk = 0;
    std::uint32_t nameSize = 0;
    std::uint32_t maskSize = 0;
    std::uint64_t raster = 0;
    std::uint32_t rasterSize = 0;
    RasterHeader header;
    Kind kind = Kind::kPal8;
    GsAllocation allocation;
    std::vector<std::uint64_t> levelData;
    std::uint64_t paletteData = 0;
    std::uint64_t extension = 0;
    std::string name;
    std::string mask;
};

// The map of the block; a FileError names the file and texture for anything that does not
// hold together.
BlockMap MapBlock(const BlockSource& block);

}  // namespace tinplate::ps2
