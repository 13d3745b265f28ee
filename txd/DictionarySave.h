// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "GfxBinding.h"
#include "TextureRecord.h"

// Writes every texture back over the bytes it was read from: its alpha word, palette and
// first level; an 8-bit texture with several levels also gets its smaller levels rebuilt from
// the first by the image library's `_bmpresize`. Every rebuilt level is made before the
// dictionary is opened, so a failure (a FileError naming the texture) leaves the file as it
// was and no working file behind. Nothing else in the file changes; an empty list writes
// nothing and opens nothing.
void SaveDictionary(const std::string& path, const std::vector<TextureEntry>& textures,
                    GfxBinding& gfx);
