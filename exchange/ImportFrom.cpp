// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportFrom.h"

#include <cstring>
#include <optional>
#include <stdexcept>

#include "BoxFilter.h"
#include "DdsFile.h"
#include "DdsLevels.h"
#include "FileError.h"
#include "FileIo.h"
#include "LevelChain.h"
#include "LevelDecode.h"
#include "PaletteLevels.h"
#include "PictureFile.h"
#include "PlatformLayout.h"
#include "TexelKind.h"

namespace {

struct NewLevels {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> smallerLevels;
};

std::vector<std::uint8_t> SmallerLevelsFrom(const TextureRecord& record, const RgbaImage& image,
                                            const std::vector<std::uint8_t>& palette,
                                            DxtQuality quality) {
    const TexelKind kind = TexelKindOf(record);
    std::vector<std::uint8_t> levels;
    for (const LevelSize& size : SmallerLevelSizes(record)) {
        const RgbaImage scaled = BoxFilter(image, size.width, size.height);
        std::vector<std::uint8_t> level = kind == TexelKind::Palette
                                              ? MapToPalette(palette, scaled, UsesAlpha(record))
                                              : EncodeLevel(kind, scaled, quality);
        PutRowsInStoredOrder(record, level, size.height);
        levels.insert(levels.end(), level.begin(), level.end());
    }
    return levels;
}

NewLevels Convert(const TextureRecord& record, FilePicture picture,
                  const PictureImportOptions& options) {
    const TexelKind kind = TexelKindOf(record);
    const bool alpha = UsesAlpha(record);
    if (!alpha && kind != TexelKind::Argb8888) {
        for (std::size_t i = 3; i < picture.image.rgba.size(); i += 4) {
            picture.image.rgba[i] = 255;
        }
    }
    NewLevels levels;
    if (kind == TexelKind::Palette) {
        PaletteLevel first = QuantiseFirstLevel(record, picture.image, options.dither);
        levels.palette = std::move(first.palette);
        levels.pixels = std::move(first.indices);
    } else {
        levels.palette = record.palette;
        const char* fourCc = FourCcFor(record.compression);
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

FilePicture ReadPictureFile(const std::string& path, std::uint32_t width, std::uint32_t height) {
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    if (file.size() >= 4 && std::memcmp(file.data(), "DDS ", 4) == 0) {
        return ReadDdsFirstLevel(file, path, width, height);
    }
    return {DecodePictureFile(file, path, width, height), {}, {}};
}

void DrawPicture(TextureRecord& record, FilePicture picture, const PictureImportOptions& options) {
    NewLevels levels = Convert(record, std::move(picture), options);
    if (levels.pixels.size() != record.pixelSize || levels.palette.size() != record.paletteSize) {
        throw std::runtime_error("the converted picture does not fit the texture");
    }
    record.palette = ByteBuffer::Copy(levels.palette);
    record.pixels = ByteBuffer::Copy(levels.pixels);
    record.smallerLevels = ByteBuffer::Copy(levels.smallerLevels);
}

void ImportPictureFile(TextureRecord& record, const std::string& path,
                       const PictureImportOptions& options) {
    if (TexelKindOf(record) == TexelKind::None) {
        throw FileError(path, "the texture is of a kind that takes no picture");
    }
    FilePicture picture = ReadPictureFile(path, record.width, record.height);
    TextureRecord drawn = record;
    try {
        DrawPicture(drawn, std::move(picture), options);
    } catch (const std::runtime_error& error) {
        throw FileError(path, error.what());
    }
    record = std::move(drawn);
}

void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality) {
    if (TexelKindOf(record) == TexelKind::None) {
        return;
    }
    const RgbaImage first = DecodeLevel(record, record.pixels, record.width, record.height);
    record.smallerLevels = SmallerLevelsFrom(record, first, record.palette, quality);
}
