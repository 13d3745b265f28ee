// SPDX-License-Identifier: GPL-3.0-or-later
// What a texture's header fields make of it: its compression codes, format bits and sizes.
#pragma once

#include <cstdint>

#include "txd/TextureRecord.h"

namespace tinplate {

// Compression kinds the editor gives a meaning to.
namespace compression {
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kDxt1 = 12;
inline constexpr std::int32_t kDxt3 = 14;
inline constexpr std::int32_t kDxt5 = 15;
}  // namespace compression

inline bool IsBlockCompressed(const TextureRecord& record) {
    return record.compression == compression::kDxt1 || record.compression == compression::kDxt3 ||
           record.compression == compression::kDxt5;
}

// The bits of the format word (the alpha flags) that the editor reads.
namespace format {
enum Bit : std::uint32_t { kPalette256 = 0x2000, kPalette32 = 0x4000, kLevels = 0x8000 };
}  // namespace format

struct TextureSizes {
    std::uint64_t paletteSize = 0;
    std::uint64_t pixelSize = 0;
};

// The palette and first-level sizes the header fields call for. A texture no rule covers
// gets no palette and no pixels.
TextureSizes SizesForHeader(std::int16_t depth, std::int32_t compression, std::uint32_t width,
                            std::uint32_t height, std::uint32_t alphaFlags);

}  // namespace tinplate
