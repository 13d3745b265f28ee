// SPDX-License-Identifier: GPL-3.0-or-later
// The status bar's text about the dictionary and the selected texture.
#pragma once

#include <QString>
#include <cstdint>

#include "txd/TextureRecord.h"

namespace tinplate {

// The status bar's text: how many textures the dictionary holds, the platform of a PC one, and,
// when one is selected, its kind and size ("3 textures, PC D3D9 | DXT1, 256 × 128") and, where
// its platform has a choice, the order of its texels ("1 texture | 8-bit palette, 64 × 64,
// swizzled").
QString StatusSummary(int textureCount, std::uint32_t platformId, const TextureRecord* selected);

}  // namespace tinplate
