// SPDX-License-Identifier: GPL-3.0-or-later
// Converting a picture into a texture's palette and levels.
#include "texture/PictureDrawing.h"

#include <stdexcept>

#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "texture/PaletteLevels.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

struct NewLevels {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> smallerLevels;
};

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
        PutRowsInStoredOrder(record, level, size.height);
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
        levels.palette = record.palette;
        const char* fourCc = FactsOf(kind).fourCc;
        const bool sameBlocks = fourCc != nullptr && picture.fourCc == fourCc;
        levels.pixels = sameBlocks ? std::move(picture.blocks)
                                   : EncodeLevel(kind, picture.image, options.dxtQuality);
    }
    PutRowsInStoredOrder(record, levels.pixels, record.height);
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
    record.palette = ByteBuffer::Copy(levels.palette);
    record.pixels = ByteBuffer::Copy(levels.pixels);
    record.smallerLevels = ByteBuffer::Copy(levels.smallerLevels);
}

void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality) {
    if (!HasPicture(KindOf(record))) {
        return;
    }
    const RgbaImage first = DecodeLevel(record, record.pixels, record.width, record.height);
    record.smallerLevels = SmallerLevelsFrom(record, first, record.palette, quality);
}

}  // namespace tinplate
