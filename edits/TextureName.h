// SPDX-License-Identifier: GPL-3.0-or-later
// The rule for texture names: safe as file names, and fit to name a texture.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// Texture names come from the dictionary file and so from anyone. Export and import make
// files named after the texture in their folder; only a bare file name keeps them there. A
// name the editor gives a texture must also be one a game finds it by.

inline constexpr std::size_t kMaxTextureNameBytes = 31;

// Why `name` is no safe file name (empty, "." or "..", a folder separator or a control
// character); empty when it is one. Names read from a file need pass only this rule.
std::optional<std::string> WhyUnsafe(const std::string& name);

bool IsSafeFileName(const std::string& name);

// Throws a FileError (name shown printable, reason) unless IsSafeFileName(name).
void RequireSafeTextureName(const std::string& name);

// Why `name` cannot be given to a texture in `textures` (leaving aside the one at `renamed`); empty
// when it can. A name is 1 to 31 bytes of printable ASCII, not "." or "..", without "/" or
// "\", and differs from every other name in more than letter case: games look names up
// without regard to case, and export makes files named after them.
std::optional<std::string> WhyNotTextureName(const std::string& name,
                                             const std::vector<TextureEntry>& textures,
                                             std::optional<std::size_t> renamed = std::nullopt);

}  // namespace tinplate
