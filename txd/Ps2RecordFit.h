// SPDX-License-Identifier: GPL-3.0-or-later
// A texture record laid out as a PS2 raster: whether it fits, the plan of its raster, and the
// texels the writers put in.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "txd/Ps2GsAllocation.h"
#include "txd/Ps2Texels.h"
#include "txd/TextureRecord.h"

namespace tinplate::ps2 {

// The raster kind a record's kind is on this platform; nothing for kinds it does not hold.
std::optional<Kind> Ps2KindOf(const TextureRecord& r);

// The record's first and smaller levels, one span each.
std::vector<std::span<const std::uint8_t>> LevelsOf(const TextureRecord& r);

// Why a record cannot be laid out as a PS2 raster, or "".
std::string Unfit(const TextureRecord& r);

// What a record needs to be laid out as a PS2 raster.
struct FreshRaster {
    Kind kind;
    GsAllocation allocation;
    std::vector<std::span<const std::uint8_t>> levels;
};
// A FileError names `fileName` and the texture when the record does not fit.
FreshRaster PlanRaster(const TextureEntry& entry, std::uint32_t version,
                       const std::string& fileName);

// Levels past the chain's end dropped: the platform's games never read them.
void DropLevelsPastTheChain(TextureRecord& r);

// A texture's levels and palette as the writers put them in: a texture whose alpha is switched
// off is drawn opaque by the game, and with no alpha word to say so, its texels and the palette
// entries they use are written opaque.
struct WrittenTexels {
    std::vector<std::vector<std::uint8_t>> levels;
    std::vector<std::uint8_t> palette;
};
WrittenTexels TexelsToWrite(Kind kind, const TextureRecord& r,
                            const std::vector<std::span<const std::uint8_t>>& levels);

}  // namespace tinplate::ps2
