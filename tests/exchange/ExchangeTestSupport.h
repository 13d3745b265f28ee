// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <string>

#include "DictionaryBuilder.h"
#include "DictionaryReader.h"
#include "TestSupport.h"

// A pattern texture as the editor holds it after reading it from a dictionary.
inline TextureEntry PatternEntry(const std::string& name, std::uint16_t width, std::uint16_t height,
                                 int depth, int compression, std::uint32_t alphaFlags,
                                 int paletteEntries = 256, std::uint32_t hasAlpha = 0,
                                 int mipCount = 1) {
    SampleTexture texture = MakePatternTexture(name, width, height, depth, compression, mipCount,
                                               alphaFlags, paletteEntries);
    texture.hasAlpha = hasAlpha;
    return ParseDictionary(BuildDictionary({texture}), "pattern.txd").at(0);
}

// Every palette and pixel byte changed, so an import must put back every byte it claims to.
inline TextureRecord Scrambled(TextureRecord record) {
    for (auto* bytes : {&record.palette, &record.pixels}) {
        for (auto& byte : *bytes) {
            byte = static_cast<std::uint8_t>(~byte);
        }
    }
    return record;
}

inline bool HasImageMagick() {
    return std::system("convert -version >/dev/null 2>&1") == 0;
}
