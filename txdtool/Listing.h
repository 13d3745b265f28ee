// SPDX-License-Identifier: GPL-3.0-or-later
// What list prints for one dictionary, as text or JSON.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// What `list` prints for one dictionary: per texture its index, its name and the texts the
// window's value fields show for it.

// A header line, then one tab-separated line per texture; `withOrder` adds the order of its
// texels ("swizzled", "linear", "guessed-swizzled").
void WriteTextListing(std::ostream& out, const std::vector<TextureEntry>& textures,
                      bool withOrder = false);

// {"file": ..., "textures": [...]}: per texture its name (text when it is valid UTF-8, else
// null) and "name_hex", its kind word, the order of its texels, its header values, offsets and
// sizes as numbers, and the window's field texts under the window's captions.
// The file's "version" ("3.6.0.3") and "build" (null for versions without one) come from
// `versionWord`, and each texture's filter word's fields under "filter" by name (a number for
// a value without one).
// One texture of that listing, `index` being its position in the dictionary.
nlohmann::json JsonTexture(std::size_t index, const TextureEntry& texture);
nlohmann::json JsonListing(const std::string& fileName, const std::vector<TextureEntry>& textures,
                           std::uint32_t versionWord);

// Every --json output is one document: {"format": 1, "files": [...]}. The format number
// changes only when a key changes meaning or goes away.
void WriteJsonDocument(std::ostream& out, nlohmann::json files);

}  // namespace tinplate
