// SPDX-License-Identifier: GPL-3.0-or-later
// Kind words and descriptions for the kinds and for a texture.
#include "texture/TextureKind.h"

#include <array>
#include <utility>

#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kPalette256Size = 1024;
constexpr std::uint32_t kPalette32Size = 128;

struct KindNames {
    TextureKind kind;
    std::string_view word;
    const char* description;
};

constexpr std::array<KindNames, 6> kNames = {{
    {TextureKind::kPalette256, "pal8", "8-bit, 256 colours"},
    {TextureKind::kPalette32, "pal8-32", "8-bit, 32 colours"},
    {TextureKind::kRgba32, "rgba32", "32-bit"},
    {TextureKind::kDxt1, "dxt1", "DXT1"},
    {TextureKind::kDxt3, "dxt3", "DXT3"},
    {TextureKind::kDxt5, "dxt5", "DXT5"},
}};

// The kind the header words name, whether or not the bytes fit it.
std::optional<TextureKind> NamedKind(const TextureRecord& record) {
    if (record.depth == 8) {
        switch (record.paletteSize) {
            case kPalette256Size:
                return TextureKind::kPalette256;
            case kPalette32Size:
                return TextureKind::kPalette32;
            default:
                return std::nullopt;
        }
    }
    if (record.depth <= 0) {
        return std::nullopt;
    }
    switch (record.compression) {
        case compression::kDxt1:
            return TextureKind::kDxt1;
        case compression::kDxt3:
            return TextureKind::kDxt3;
        case compression::kDxt5:
            return TextureKind::kDxt5;
        case compression::kNone:
            break;
        default:
            return std::nullopt;
    }
    return record.depth == 32 ? std::optional(TextureKind::kRgba32) : std::nullopt;
}

}  // namespace

std::string_view KindWord(TextureKind kind) {
    for (const KindNames& names : kNames) {
        if (names.kind == kind) {
            return names.word;
        }
    }
    return {};
}

std::string_view KindDescription(TextureKind kind) {
    return kNames[static_cast<std::size_t>(kind)].description;
}

std::optional<TextureKind> KindFromWord(std::string_view word) {
    for (const KindNames& names : kNames) {
        if (names.word == word) {
            return names.kind;
        }
    }
    return std::nullopt;
}

std::optional<TextureKind> KindOf(const TextureRecord& record) {
    const TextureSizes sizes = SizesForHeader(record.depth, record.compression, record.width,
                                              record.height, record.alphaFlags);
    if (sizes.pixelSize == 0 || record.pixels.size() != sizes.pixelSize ||
        record.palette.size() != sizes.paletteSize || record.paletteSize != sizes.paletteSize) {
        return std::nullopt;
    }
    return NamedKind(record);
}

std::string_view KindWord(const TextureRecord& record) {
    if (const auto kind = NamedKind(record)) {
        return KindWord(*kind);
    }
    const bool uncompressed = record.depth != 8 && record.compression == compression::kNone;
    return uncompressed && record.depth == 16   ? "rgb16"
           : uncompressed && record.depth == 24 ? "rgb24"
                                                : "unknown";
}

std::string KindDescription(const TextureRecord& record) {
    if (const auto kind = NamedKind(record)) {
        return std::string(KindDescription(*kind));
    }
    return std::to_string(static_cast<std::uint16_t>(record.depth)) + "-bit";
}

}  // namespace tinplate
