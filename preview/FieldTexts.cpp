// SPDX-License-Identifier: GPL-3.0-or-later
// Filling the value fields from a texture's header.
#include "preview/FieldTexts.h"

#include <cstdint>

#include "txd/TextureKinds.h"
#include "workfiles/DdsFile.h"

namespace tinplate {

namespace {

std::string Signed32(std::uint32_t value) {
    return std::to_string(static_cast<std::int32_t>(value));
}

// "Swiz" or the FourCC a block-compressed kind's DDS file carries; nullptr for other kinds.
const char* CompressionLabel(std::int32_t compression) {
    return compression == compression::kNone ? "Swiz" : FourCcFor(compression);
}

}  // namespace

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

}  // namespace tinplate
