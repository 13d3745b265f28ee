// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's text about the dictionary and the selected texture.
#pragma once

#include <QString>
#include <cstdint>

#include "txd/TextureRecord.h"

namespace tinplate {

// The status bar's text: how many textures the dictionary holds (and how many of them the
// filter shows), its platform and library version, and, when one is selected, its kind and
// size ("3 textures, PC D3D9, version 3.6.0.3 | DXT1, 256 × 128", "2 of 3 textures,
// platform 5, version 3.6.0.3") and, where its platform has a choice, the order of its
// texels ("... | 8-bit palette, 64 × 64, swizzled").
QString StatusSummary(int textureCount, int shownCount, std::uint32_t platformId,
                      std::uint32_t versionWord,
                      const TextureRecord* selected);

}  // namespace tinplate
