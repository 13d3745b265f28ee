// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "TextureRecord.h"

// What `list` prints for one dictionary: per texture its index, its name and the texts the
// window's value fields show for it.

// A header line, then one tab-separated line per texture.
void WriteTextListing(std::ostream& out, const std::vector<TextureEntry>& textures);

// One JSON object: {"file": ..., "textures": [{"index": 0, "name": ..., "width": ...}, ...]}.
void WriteJsonListing(std::ostream& out, const std::string& fileName,
                      const std::vector<TextureEntry>& textures);
