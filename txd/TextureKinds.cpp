// SPDX-License-Identifier: GPL-3.0-or-later
// The table of texture kinds, and the one decision of a texture's kind from its header.
#include "txd/TextureKinds.h"

#include <array>

namespace tinplate {

namespace {

using compression::kNone;
using format::kPalette256;
using format::kPalette32;

constexpr std::uint32_t kPalette256Bytes = 1024;
constexpr std::uint32_t kPalette32Bytes = 128;
constexpr std::uint32_t kPalette16Bytes = 64;
// Made 16-bit block textures carry the pixel format of their colour end points.
constexpr std::int16_t kBlockDepth = 16;

constexpr std::array<KindFacts, 13> kKinds = {{
    {TextureKind::kPalette256, "pal8", "8-bit, 256 colours", 8, kNone, kPalette256Bytes, 1, 0, 8,
     nullptr, kPalette256 | format::kPixel888, kPalette256 | format::kPixel8888},
    {TextureKind::kPalette32, "pal8-32", "8-bit, 32 colours", 8, kNone, kPalette32Bytes, 1, 0, 8,
     nullptr, kPalette32 | format::kPixel888, kPalette32 | format::kPixel8888},
    {TextureKind::kRgba32, "rgba32", "32-bit", 32, kNone, 0, 4, 0, 8, nullptr, format::kPixel888,
     format::kPixel8888},
    {TextureKind::kDxt1, "dxt1", "DXT1", kBlockDepth, compression::kDxt1, 0, 0, 8, 1, "DXT1",
     format::kPixel565, format::kPixel1555},
    {TextureKind::kDxt3, "dxt3", "DXT3", kBlockDepth, compression::kDxt3, 0, 0, 16, 4, "DXT3",
     format::kPixel4444, format::kPixel4444},
    {TextureKind::kDxt5, "dxt5", "DXT5", kBlockDepth, compression::kDxt5, 0, 0, 16, 8, "DXT5",
     format::kPixel4444, format::kPixel4444},
    {TextureKind::kRgb565, "rgb16", "", 16, kNone, 0, 2, 0, 0, nullptr, format::kPixel565,
     format::kPixel565},
    {TextureKind::kArgb1555, "rgb16", "", 16, kNone, 0, 2, 0, 1, nullptr, format::kPixel1555,
     format::kPixel1555},
    {TextureKind::kArgb4444, "rgb16", "", 16, kNone, 0, 2, 0, 4, nullptr, format::kPixel4444,
     format::kPixel4444},
    {TextureKind::kRgb888, "rgb24", "", 24, kNone, 0, 3, 0, 0, nullptr, format::kPixel888,
     format::kPixel888},
    // Rows of two indices a byte: sized apart from the kinds stored texel by texel.
    {TextureKind::kPalette16, "pal4", "4-bit, 16 colours", 4, kNone, kPalette16Bytes, 0, 0, 8,
     nullptr, kPalette32 | format::kPixel888, kPalette32 | format::kPixel8888},
    {TextureKind::kOtherDepth, "unknown", "", 0, kNone, 0, 0, 0, 0, nullptr, 0, 0},
    {TextureKind::kUnknown, "unknown", "", 0, kNone, 0, 0, 0, 0, nullptr, 0, 0},
}};
constexpr std::size_t kMakeableKinds = 6;

// The format word's palette bits decide; files that set neither fall back to comparing the
// word with the thresholds older files were sorted by.
std::uint32_t PaletteBytesFor(std::uint32_t formatWord) {
    if (formatWord & kPalette32) {
        return kPalette32Bytes;
    }
    if (formatWord & kPalette256) {
        return kPalette256Bytes;
    }
    if (formatWord < 10000 || formatWord > 40000) {
        return kPalette256Bytes;
    }
    if (formatWord > 10000 && formatWord < 40000) {
        return kPalette32Bytes;
    }
    return 0;
}

TextureKind UncompressedKind(std::int16_t depth, std::uint32_t formatWord) {
    switch (depth) {
        case 16:
            switch (formatWord & format::kPixelFormatMask) {
                // 555 keeps the 1555 channels, its alpha bit always set.
                case format::kPixel1555:
                case format::kPixel555:
                    return TextureKind::kArgb1555;
                case format::kPixel4444:
                    return TextureKind::kArgb4444;
                default:
                    return TextureKind::kRgb565;
            }
        case 24:
            return TextureKind::kRgb888;
        case 32:
            return TextureKind::kRgba32;
        default:
            return TextureKind::kOtherDepth;
    }
}

}  // namespace

TextureKind KindOfHeader(std::int16_t depth, std::int32_t compression, std::uint32_t formatWord) {
    if (depth == 8) {
        switch (PaletteBytesFor(formatWord)) {
            case kPalette256Bytes:
                return TextureKind::kPalette256;
            case kPalette32Bytes:
                return TextureKind::kPalette32;
            default:
                return TextureKind::kUnknown;
        }
    }
    if (depth <= 0) {
        return TextureKind::kUnknown;
    }
    if (depth == 4 && compression == compression::kNone) {
        return TextureKind::kPalette16;
    }
    switch (compression) {
        case compression::kNone:
            return UncompressedKind(depth, formatWord);
        case compression::kDxt1:
            return TextureKind::kDxt1;
        case compression::kDxt3:
            return TextureKind::kDxt3;
        case compression::kDxt5:
            return TextureKind::kDxt5;
        default:
            return TextureKind::kUnknown;
    }
}

const KindFacts& FactsOf(TextureKind kind) {
    return kKinds[static_cast<std::size_t>(kind)];
}

TextureSizes SizesForHeader(std::int16_t depth, std::int32_t compression, std::uint32_t width,
                            std::uint32_t height, std::uint32_t alphaFlags) {
    const KindFacts& facts = FactsOf(KindOfHeader(depth, compression, alphaFlags));
    const std::uint64_t area = static_cast<std::uint64_t>(width) * height;
    if (facts.blockBytes != 0) {
        const std::uint64_t blocks =
            static_cast<std::uint64_t>((width + 3) / 4) * ((height + 3) / 4);
        return {0, blocks * facts.blockBytes};
    }
    if (facts.kind == TextureKind::kPalette16) {
        return {facts.paletteBytes, RowBytesOf(facts.kind, width) * height};
    }
    if (facts.kind == TextureKind::kOtherDepth) {
        return {0, static_cast<std::uint64_t>(depth / 8) * area};
    }
    if (facts.texelBytes == 0) {
        return {};
    }
    return {facts.paletteBytes, facts.texelBytes * area};
}

std::uint64_t RowBytesOf(TextureKind kind, std::uint32_t width) {
    if (kind == TextureKind::kPalette16) {
        return (width + 1) / 2;
    }
    return std::uint64_t{FactsOf(kind).texelBytes} * width;
}

std::span<const KindFacts> MakeableKinds() {
    return std::span(kKinds).first(kMakeableKinds);
}

std::optional<TextureKind> KindFromWord(std::string_view word) {
    for (const KindFacts& facts : MakeableKinds()) {
        if (facts.word == word) {
            return facts.kind;
        }
    }
    return std::nullopt;
}

std::optional<TextureKind> MakeableKindOf(const TextureRecord& record) {
    const TextureKind kind = KindOf(record);
    const TextureSizes sizes = SizesForHeader(record.depth, record.compression, record.width,
                                              record.height, record.alphaFlags);
    if (static_cast<std::size_t>(kind) >= kMakeableKinds || sizes.pixelSize == 0 ||
        record.pixels.size() != sizes.pixelSize || record.palette.size() != sizes.paletteSize ||
        record.paletteSize != sizes.paletteSize) {
        return std::nullopt;
    }
    return kind;
}

std::string KindDescription(const TextureRecord& record) {
    const std::string_view description = FactsOf(KindOf(record)).description;
    if (description.empty()) {
        return std::to_string(static_cast<std::uint16_t>(record.depth)) + "-bit";
    }
    return std::string(description);
}

const KindFacts* BlockKindOfCompression(std::int32_t compression) {
    for (const KindFacts& facts : kKinds) {
        if (facts.blockBytes != 0 && facts.compression == compression) {
            return &facts;
        }
    }
    return nullptr;
}

const char* FourCcOfCompression(std::int32_t compression) {
    const KindFacts* facts = BlockKindOfCompression(compression);
    return facts != nullptr ? facts->fourCc : nullptr;
}

std::uint32_t BlockBytesOfCompression(std::int32_t compression) {
    const KindFacts* facts = BlockKindOfCompression(compression);
    return facts != nullptr ? facts->blockBytes : 0;
}

}  // namespace tinplate
