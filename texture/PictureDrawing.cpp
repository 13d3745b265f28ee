// SPDX-License-Identifier: GPL-3.0-or-later
// Converting a picture into a texture's palette and levels.
#include "texture/PictureDrawing.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "texture/PaletteLevels.h"
#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// A texture's palette and levels in game order (top row first, unswizzled).
struct NewLevels {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> smallerLevels;
};

// Encoders lay uncompressed rows out bottom row first, as the image library's bitmaps are.
void PutTopRowFirst(TextureKind kind, std::vector<std::uint8_t>& level, std::uint32_t height) {
    if (height < 2 || IsBlockCompressed(kind)) {
        return;
    }
    const std::size_t rowBytes = level.size() / height;
    for (std::size_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(level.begin() + static_cast<std::ptrdiff_t>(top * rowBytes),
                         level.begin() + static_cast<std::ptrdiff_t>((top + 1) * rowBytes),
                         level.begin() + static_cast<std::ptrdiff_t>(bottom * rowBytes));
    }
}

std::vector<std::uint8_t> SmallerLevelsFrom(const TextureRecord& record, const RgbaImage& image,
                                            const std::vector<std::uint8_t>& palette,
                                            DxtQuality quality) {
    const TextureKind kind = KindOf(record);
    std::vector<std::uint8_t> levels;
    for (const LevelSize& size : SmallerLevelSizes(record)) {
        const RgbaImage scaled = BoxFilter(image, size.width, size.height);
        std::vector<std::uint8_t> level =
            IsPalettised(kind)
                ? IndicesOfKind(record, MapToPalette(palette, scaled, UsesAlpha(record)),
                                size.width)
                : EncodeLevel(kind, scaled, quality);
        PutTopRowFirst(kind, level, size.height);
        levels.insert(levels.end(), level.begin(), level.end());
    }
    return levels;
}

NewLevels Convert(const TextureRecord& record, FilePicture picture,
                  const PictureImportOptions& options) {
    const TextureKind kind = KindOf(record);
    const bool alpha = UsesAlpha(record);
    if (!alpha && kind != TextureKind::kRgba32) {
        for (std::size_t i = 3; i < picture.image.rgba.size(); i += 4) {
            picture.image.rgba[i] = 255;
        }
    }
    NewLevels levels;
    if (IsPalettised(kind)) {
        PaletteLevel first = QuantiseFirstLevel(record, picture.image, options.dither);
        levels.palette = std::move(first.palette);
        levels.pixels = IndicesOfKind(record, std::move(first.indices), record.width);
    } else {
        levels.palette = GamePaletteOf(record);
        const char* fourCc = FactsOf(kind).fourCc;
        const bool sameBlocks = fourCc != nullptr && picture.fourCc == fourCc;
        levels.pixels = sameBlocks ? std::move(picture.blocks)
                                   : EncodeLevel(kind, picture.image, options.dxtQuality);
    }
    PutTopRowFirst(kind, levels.pixels, record.height);
    levels.smallerLevels =
        SmallerLevelsFrom(record, picture.image, levels.palette, options.dxtQuality);
    return levels;
}

}  // namespace

void DrawPicture(TextureRecord& record, FilePicture picture, const PictureImportOptions& options) {
    NewLevels levels = Convert(record, std::move(picture), options);
    if (levels.pixels.size() != record.pixelSize || levels.palette.size() != record.paletteSize) {
        throw std::runtime_error("the converted picture does not fit the texture");
    }
    StoreGameLevels(record, levels.palette, levels.pixels, levels.smallerLevels);
}

void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality) {
    if (!HasPicture(KindOf(record))) {
        return;
    }
    const RgbaImage first = GamePicture(record, 0);
    if (first.rgba.empty()) {
        return;
    }
    const std::vector<std::uint8_t> palette = GamePaletteOf(record);
    const GameLevel firstLevel = GameLevelOf(record, 0);
    StoreGameLevels(record, palette, firstLevel.bytes,
                    SmallerLevelsFrom(record, first, palette, quality));
}

}  // namespace tinplate
