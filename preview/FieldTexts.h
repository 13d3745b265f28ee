// SPDX-License-Identifier: GPL-3.0-or-later
// The texts of the value fields under the picture.
#pragma once

#include <string>

#include "txd/TextureRecord.h"

namespace tinplate {

// The texts of the value fields under the picture.
struct FieldTexts {
    std::string width;
    std::string height;
    std::string bpp;
    std::string comp;
    std::string mipMaps;
    std::string alpha;
    std::string alphaFlags;
    std::string filterFlags;
};

// Sets the texts for `record`. Numbers are signed decimals of 32-bit values, so a flag word
// with its top bit set shows negative. An unknown compression kind or an alpha word other
// than 0 or 1 leaves that text as an earlier texture left it.
void UpdateFieldTexts(const TextureRecord& record, FieldTexts& texts);

}  // namespace tinplate
