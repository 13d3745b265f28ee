// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextureKind.h"

#include <array>
#include <utility>

#include "DictionaryReader.h"

namespace {

constexpr std::array<std::pair<TextureKind, std::string_view>, 6> kWords = {{
    {TextureKind::kPalette256, "pal256"},
    {TextureKind::kPalette32, "pal32"},
    {TextureKind::kRgba32, "rgba32"},
    {TextureKind::kDxt1, "dxt1"},
    {TextureKind::kDxt3, "dxt3"},
    {TextureKind::kDxt5, "dxt5"},
}};

}  // namespace

std::string_view KindWord(TextureKind kind) {
    for (const auto& [each, word] : kWords) {
        if (each == kind) {
            return word;
        }
    }
    return {};
}

std::optional<TextureKind> KindFromWord(std::string_view word) {
    for (const auto& [kind, each] : kWords) {
        if (each == word) {
            return kind;
        }
    }
    return std::nullopt;
}

std::optional<TextureKind> KindOf(const TextureRecord& record) {
    const TextureSizes sizes = SizesForHeader(record.depth, record.compression, record.width,
                                              record.height, record.alphaFlags);
    if (sizes.pixelSize == 0 || record.pixels.size() != sizes.pixelSize ||
        record.palette.size() != sizes.paletteSize) {
        return std::nullopt;
    }
    if (record.depth == 8) {
        return sizes.paletteSize == 128 ? TextureKind::kPalette32 : TextureKind::kPalette256;
    }
    switch (record.compression) {
        case compression::kDxt1:
            return TextureKind::kDxt1;
        case compression::kDxt3:
            return TextureKind::kDxt3;
        case compression::kDxt5:
            return TextureKind::kDxt5;
        default:
            break;
    }
    if (record.depth == 32 && record.compression == compression::kNone) {
        return TextureKind::kRgba32;
    }
    return std::nullopt;
}
