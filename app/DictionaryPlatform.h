// SPDX-License-Identifier: GPL-3.0-or-later
// Which platform's layout the open dictionary is in, and the names the window gives platforms.
#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "txd/PlatformLayout.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// A dictionary with any PC texture counts as a PC one (swizzling refuses it as a whole): the
// first PC texture's platform, else platform 5's.
std::uint32_t DictionaryPlatform(const std::vector<TextureEntry>& textures);

// The short name of a platform id: "PC D3D9", "PC D3D8", "PS2", "platform 5".
QString PlatformName(std::uint32_t id);

// A platform id with what it is, as Dictionary > Platform... offers it ("8 — PC, Direct3D 8").
QString PlatformChoice(std::uint32_t id);

}  // namespace tinplate
