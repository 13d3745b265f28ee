// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of one texel of a texture stored texel by texel.
#pragma once

#include <cstdint>

#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Bytes of one texel of a texture stored texel by texel (depth / 8), or 0 for the block
// kinds and for depths that are not a whole number of bytes. Any other compression word
// counts as texel by texel, as the reader sizes such textures.
inline std::uint32_t TexelBytes(const TextureRecord& record) {
    if (IsBlockCompressed(record) || record.depth <= 0 || record.depth % 8 != 0) {
        return 0;
    }
    return static_cast<std::uint32_t>(record.depth / 8);
}

// Whether the record's buffer holds exactly its width x height texels of `texelBytes` each.
inline bool HoldsWholeTexels(const TextureRecord& record, std::uint32_t texelBytes) {
    const std::uint64_t expected =
        static_cast<std::uint64_t>(record.width) * record.height * texelBytes;
    return texelBytes != 0 && record.pixelSize == expected && record.pixels.size() == expected;
}

}  // namespace tinplate
