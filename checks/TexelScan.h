// SPDX-License-Identifier: GPL-3.0-or-later
// What the stored texels say about a texture's alpha and palette use, read in one pass per
// level straight from the stored bytes.
#pragma once

#include <optional>
#include <span>

#include "checks/StoredLevels.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct TexelFacts {
    // Some texel of some level is less than opaque, whatever the alpha flag says.
    bool translucent = false;
    // 8-bit textures: how many different colours the indices of all levels use.
    std::optional<unsigned> paletteColoursUsed;
};

// Empty for a kind whose texels cannot be read.
std::optional<TexelFacts> ScanTexels(const TextureRecord& record,
                                     std::span<const StoredLevel> levels);

}  // namespace tinplate
