// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "TextureRecord.h"

inline constexpr std::size_t kMaxTextureNameBytes = 31;

// Why `name` cannot name a texture in `textures` (leaving aside the one at `renamed`); empty
// when it can. A name is 1 to 31 bytes of printable ASCII, not "." or "..", without "/" or
// "\", and differs from every other name in more than letter case: games look names up
// without regard to case, and export makes files named after them.
std::optional<std::string> WhyNotTextureName(const std::string& name,
                                             const std::vector<TextureEntry>& textures,
                                             std::optional<std::size_t> renamed = std::nullopt);
