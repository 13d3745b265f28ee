// SPDX-License-Identifier: GPL-3.0-or-later
// Moving textures into another platform's layout, and why one cannot be.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// Why a texture cannot be put into another platform's layout; the text names the texture.
class ConversionRefused : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The texture as platform `target` lays it out, laid out anew (or unchanged when it is on
// that platform already). Nothing is requantised or recompressed: palettes, texels and blocks
// keep their values, and every level's game picture stays the same. Each texture is read in
// its own order and stored in the order the target's games read; `order`, where given,
// overrides both for a platform that has a choice of order (platform 5: every level of every
// texture taken to be, or stored, linear or swizzled).
TextureRecord ConvertedToPlatform(const TextureEntry& texture, std::uint32_t target,
                                  std::optional<TexelOrder> order = std::nullopt);

// The same in two steps, for a writer that reorders each texture's levels only when it writes
// them: ConvertedLayout refuses what ConvertedToPlatform refuses and gives the new fields with
// the levels still in their old order (sizes are the same in both); WithLevelsReordered then
// puts the levels of `converted` into its platform's order, read from `source`.
TextureRecord ConvertedLayout(const TextureEntry& texture, std::uint32_t target,
                              std::optional<TexelOrder> order = std::nullopt);
TextureRecord WithLevelsReordered(const TextureRecord& source, TextureRecord converted,
                                  std::optional<TexelOrder> order = std::nullopt);

// Every texture converted; the first refusal throws, and nothing is converted then.
std::vector<TextureEntry> ConvertedDictionary(const std::vector<TextureEntry>& textures,
                                              std::uint32_t target,
                                              std::optional<TexelOrder> order = std::nullopt);

}  // namespace tinplate
