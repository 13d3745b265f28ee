// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextureBuild.h"

#include <span>
#include <vector>

#include "BoxFilter.h"
#include "ColourReduction.h"
#include "DictionaryReader.h"
#include "EditRefused.h"
#include "PaletteMatch.h"
#include "TexelCodec.h"

namespace {

// Bits of the format word.
constexpr std::uint32_t kPalette256Bit = 0x2000;
constexpr std::uint32_t kPalette32Bit = 0x4000;
constexpr std::uint32_t kLevelsBit = 0x8000;
// The filter mode in the low byte of the filter flags: nearest and linear, and their
// counterparts across levels.
constexpr std::uint32_t kNearest = 1;
constexpr std::uint32_t kLinear = 2;
constexpr std::uint32_t kMipNearest = 3;
constexpr std::uint32_t kMipLinear = 4;
constexpr std::uint32_t kLinearMipNearest = 5;
constexpr std::uint32_t kLinearMipLinear = 6;

struct KindTraits {
    std::int16_t depth;
    std::int32_t compression;
    std::uint32_t opaqueFormat;
    std::uint32_t translucentFormat;
    std::size_t paletteEntries;
};

KindTraits TraitsOf(TextureKind kind) {
    switch (kind) {
        case TextureKind::kPalette256:
            return {8, compression::kNone, 0x2600, 0x2500, 256};
        case TextureKind::kPalette32:
            return {8, compression::kNone, 0x4600, 0x4500, 32};
        case TextureKind::kRgba32:
            return {32, compression::kNone, 0x0600, 0x0500, 0};
        case TextureKind::kDxt1:
            return {16, compression::kDxt1, 0x0200, 0x0100, 0};
        case TextureKind::kDxt3:
            return {16, compression::kDxt3, 0x0300, 0x0300, 0};
        case TextureKind::kDxt5:
            break;
    }
    return {16, compression::kDxt5, 0x0300, 0x0300, 0};
}

std::uint32_t FilterForLevels(std::uint32_t filterFlags, bool levels) {
    const std::uint32_t mode = filterFlags & 0xFF;
    std::uint32_t wanted = mode;
    if (levels) {
        wanted = mode == kNearest ? kMipNearest : mode == kLinear ? kLinearMipLinear : mode;
    } else if (mode == kMipNearest || mode == kMipLinear) {
        wanted = kNearest;
    } else if (mode == kLinearMipNearest || mode == kLinearMipLinear) {
        wanted = kLinear;
    }
    return (filterFlags & ~0xFFu) | wanted;
}

std::vector<std::uint8_t> EncodeLevel(const RgbaImage& level, const KindTraits& traits,
                                      std::span<const std::uint8_t> paletteRgba) {
    if (traits.paletteEntries != 0) {
        return NearestIndices(level, paletteRgba);
    }
    if (traits.compression == compression::kNone) {
        return EncodeBgra(level);
    }
    return EncodeBlocks(level, traits.compression);
}

void MarkLevels(TextureRecord& r, std::size_t count) {
    const bool levels = count > 1;
    r.mipCount = static_cast<std::int16_t>(count);
    r.alphaFlags = levels ? r.alphaFlags | kLevelsBit : r.alphaFlags & ~kLevelsBit;
    r.filterFlags = FilterForLevels(r.filterFlags, levels);
}

void EncodeSmallerLevels(TextureRecord& r, const std::vector<RgbaImage>& chain,
                         const KindTraits& traits, std::span<const std::uint8_t> paletteRgba) {
    r.smallerLevels.clear();
    for (std::size_t i = 1; i < chain.size(); ++i) {
        const auto level = EncodeLevel(chain[i], traits, paletteRgba);
        r.smallerLevels.insert(r.smallerLevels.end(), level.begin(), level.end());
    }
    MarkLevels(r, chain.size());
}

// Sizes from the bytes held, no place in any file, and a check that the reader will find the
// same sizes in the header this record becomes.
TextureRecord Finished(TextureRecord r) {
    if (r.depth == 8) {
        r.alphaFlags = (r.alphaFlags & ~(kPalette256Bit | kPalette32Bit)) |
                       (r.palette.size() == 128 ? kPalette32Bit : kPalette256Bit);
    }
    r.paletteSize = static_cast<std::uint32_t>(r.palette.size());
    r.pixelSize = static_cast<std::uint32_t>(r.pixels.size());
    r.paletteOffset = r.pixelOffset = r.headerOffset = r.levelDataEnd = r.blockEnd = 0;
    r.laidOutAnew = true;
    const TextureSizes sizes =
        SizesForHeader(r.depth, r.compression, r.width, r.height, r.alphaFlags);
    if (sizes.pixelSize == 0 || sizes.paletteSize != r.paletteSize ||
        sizes.pixelSize != r.pixelSize) {
        throw EditRefused("the texture's bytes do not fit its size and kind");
    }
    return r;
}

std::vector<RgbaImage> Chain(const RgbaImage& picture, bool withLevels) {
    return withLevels ? LevelChain(picture) : std::vector<RgbaImage>{picture};
}

}  // namespace

TextureRecord BuildTexture(const RgbaImage& picture, TextureKind kind, bool withLevels,
                           std::uint32_t filterFlags) {
    const KindTraits traits = TraitsOf(kind);
    const std::vector<RgbaImage> chain = Chain(picture, withLevels);
    TextureRecord r;
    r.width = picture.width;
    r.height = picture.height;
    r.depth = traits.depth;
    r.compression = traits.compression;
    r.filterFlags = filterFlags;
    r.hasAlpha = HasTranslucentPixel(picture) ? 1 : 0;
    r.alphaFlags = r.hasAlpha ? traits.translucentFormat : traits.opaqueFormat;
    std::vector<std::uint8_t> paletteRgba;
    if (traits.paletteEntries != 0) {
        auto indexed = ExactPalette(picture, traits.paletteEntries);
        IndexedImage chosen =
            indexed ? std::move(*indexed) : ReduceColours(picture, traits.paletteEntries);
        paletteRgba = std::move(chosen.palette);
        r.pixels = std::move(chosen.indices);
        r.palette = SwapRedBlue(paletteRgba);
        r.palette.resize(traits.paletteEntries * 4, 0);
    } else {
        r.pixels = EncodeLevel(chain[0], traits, {});
    }
    EncodeSmallerLevels(r, chain, traits, paletteRgba);
    return Finished(std::move(r));
}

TextureRecord RedrawTexture(const TextureRecord& record, TextureKind kind, const RgbaImage& picture,
                            bool withLevels) {
    const KindTraits traits = TraitsOf(kind);
    const std::vector<std::uint8_t> paletteRgba = SwapRedBlue(record.palette);
    const std::vector<RgbaImage> chain = Chain(picture, withLevels);
    TextureRecord r = record;
    r.width = picture.width;
    r.height = picture.height;
    r.pixels = EncodeLevel(chain[0], traits, paletteRgba);
    EncodeSmallerLevels(r, chain, traits, paletteRgba);
    return Finished(std::move(r));
}

TextureRecord WithLevelChain(const TextureRecord& record, TextureKind kind,
                             const RgbaImage& firstLevel) {
    TextureRecord r = record;
    EncodeSmallerLevels(r, LevelChain(firstLevel), TraitsOf(kind), SwapRedBlue(record.palette));
    return Finished(std::move(r));
}

TextureRecord WithoutLevels(const TextureRecord& record) {
    TextureRecord r = record;
    r.smallerLevels.clear();
    MarkLevels(r, 1);
    return Finished(std::move(r));
}
