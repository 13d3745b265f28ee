// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldTexts.h"

#include <cstdint>

namespace {

std::string Signed32(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

}  // namespace

const char* CompressionLabel(std::int32_t compression) {
    switch (compression) {
        case compression::kNone:
            return "Swiz";
        case compression::kDxt1:
            return "DXT1";
        case compression::kDxt3:
            return "DXT3";
        case compression::kDxt5:
            return "DXT5";
        default:
            return nullptr;
    }
}

void UpdateFieldTexts(const TextureRecord& record, FieldTexts& texts) {
    texts.width = Signed32(record.width);
    texts.height = Signed32(record.height);
    // Depth and level count are shown as the unsigned 16-bit numbers the record keeps.
    texts.bpp = std::to_string(static_cast<std::uint16_t>(record.depth));
    if (const char* label = CompressionLabel(record.compression)) {
        texts.comp = label;
    }
    texts.mipMaps =
        std::to_string(static_cast<int>(static_cast<std::uint16_t>(record.mipCount)) - 1);
    if (record.hasAlpha == 0) {
        texts.alpha = "No";
    } else if (record.hasAlpha == 1) {
        texts.alpha = "Yes";
    }
    texts.alphaFlags = Signed32(record.alphaFlags);
    texts.filterFlags = Signed32(record.filterFlags);
}
