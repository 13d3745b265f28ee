// SPDX-License-Identifier: GPL-3.0-or-later
// Building textures and level chains from pictures.
#include "texture/TextureBuild.h"

#include <bit>
#include <limits>
#include <stdexcept>

#include "txd/DictionaryReader.h"
#include "txd/GameLevels.h"

namespace tinplate {

namespace {

// The filter mode in the low byte of the filter flags: nearest and linear, and their
// counterparts across levels.
enum FilterMode : std::uint32_t {
    kNearest = 1,
    kLinear,
    kMipNearest,
    kMipLinear,
    kLinearMipNearest,
    kLinearMipLinear
};

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

// The levels of a full chain from width x height down to 1 x 1.
std::int16_t ChainLength(std::uint32_t width, std::uint32_t height) {
    return static_cast<std::int16_t>(std::bit_width(std::max(width, height)));
}

void MarkLevels(TextureRecord& r, bool levels) {
    r.mipCount = levels ? ChainLength(r.width, r.height) : 1;
    r.alphaFlags =
        r.mipCount > 1 ? r.alphaFlags | format::kLevels : r.alphaFlags & ~format::kLevels;
    r.filterFlags = FilterForLevels(r.filterFlags, r.mipCount > 1);
}

// Gives the record the sizes its header calls for and no place in any file; its levels may
// then take the whole chain.
void Unplace(TextureRecord& r) {
    if (r.depth == 8) {
        const bool small = r.paletteSize == FactsOf(TextureKind::kPalette32).paletteBytes;
        r.alphaFlags = (r.alphaFlags & ~(format::kPalette256 | format::kPalette32)) |
                       (small ? format::kPalette32 : format::kPalette256);
    }
    const TextureSizes sizes =
        SizesForHeader(r.depth, r.compression, r.width, r.height, r.alphaFlags);
    r.paletteSize = static_cast<std::uint32_t>(sizes.paletteSize);
    r.pixelSize = static_cast<std::uint32_t>(sizes.pixelSize);
    r.paletteOffset = r.pixelOffset = r.headerOffset = r.blockEnd = 0;
    r.levelDataEnd = std::numeric_limits<std::uint32_t>::max();
    r.laidOutAnew = true;
}

TextureRecord Finished(TextureRecord r) {
    r.levelDataEnd = static_cast<std::uint32_t>(r.pixelSize + r.smallerLevels.size());
    if (r.pixelSize == 0 || r.pixels.size() != r.pixelSize || r.palette.size() != r.paletteSize) {
        throw std::runtime_error("the texture's bytes do not fit its size and kind");
    }
    return r;
}

TextureRecord Drawn(TextureRecord r, FilePicture picture, bool withLevels,
                    const PictureImportOptions& options) {
    r.width = picture.image.width;
    r.height = picture.image.height;
    Unplace(r);
    if (r.palette.size() != r.paletteSize) {
        r.palette = ByteBuffer(r.paletteSize);
    }
    MarkLevels(r, withLevels);
    MakeGameReady(r);
    DrawPicture(r, std::move(picture), options);
    return Finished(std::move(r));
}

bool HasTranslucentPixel(const RgbaImage& image) {
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) {
        if (image.rgba[i] != 255) {
            return true;
        }
    }
    return false;
}

}  // namespace

TextureRecord BuildTexture(FilePicture picture, TextureKind kind, bool withLevels,
                           std::uint32_t filterFlags, const PictureImportOptions& options,
                           std::uint32_t platform) {
    const KindFacts& facts = FactsOf(kind);
    TextureRecord r;
    r.platform = platform;
    r.depth = facts.depth;
    r.compression = facts.compression;
    r.filterFlags = filterFlags;
    r.hasAlpha = HasTranslucentPixel(picture.image) ? 1 : 0;
    r.alphaFlags = r.hasAlpha ? facts.translucentFormat : facts.opaqueFormat;
    r.paletteSize = facts.paletteBytes;
    return Drawn(std::move(r), std::move(picture), withLevels, options);
}

TextureRecord RedrawTexture(const TextureRecord& record, FilePicture picture, bool withLevels,
                            const PictureImportOptions& options) {
    return Drawn(record, std::move(picture), withLevels, options);
}

TextureRecord WithLevelChain(const TextureRecord& record, DxtQuality quality) {
    TextureRecord r = record;
    Unplace(r);
    MarkLevels(r, true);
    RemakeSmallerLevels(r, quality);
    return Finished(std::move(r));
}

TextureRecord WithoutLevels(const TextureRecord& record) {
    TextureRecord r = record;
    Unplace(r);
    r.smallerLevels.clear();
    MarkLevels(r, false);
    return Finished(std::move(r));
}

}  // namespace tinplate
