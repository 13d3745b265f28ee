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
#include "TexelKind.h"

namespace {

struct NewLevels {
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> smallerLevels;
};

// The picture, and the blocks of a DDS file that already holds the texture's own kind.
struct ReadPicture {
    RgbaImage image;
    std::optional<std::vector<std::uint8_t>> sameBlocks;
};

ReadPicture ReadPictureFor(const TextureRecord& record, const std::string& path) {
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    if (file.size() >= 4 && std::memcmp(file.data(), "DDS ", 4) == 0) {
        DdsFirstLevel level = ReadDdsFirstLevel(file, path, record.width, record.height);
        const char* fourCc = FourCcFor(record.compression);
        ReadPicture picture{std::move(level.image), std::nullopt};
        if (fourCc != nullptr && level.fourCc == fourCc) {
            picture.sameBlocks = std::move(level.blocks);
        }
        return picture;
    }
    return {DecodePictureFile(file, path, record.width, record.height), std::nullopt};
}

std::vector<std::uint8_t> SmallerLevelsFrom(const TextureRecord& record, const RgbaImage& image,
                                            const std::vector<std::uint8_t>& palette,
                                            DxtQuality quality) {
    const TexelKind kind = TexelKindOf(record);
    std::vector<std::uint8_t> levels;
    for (const LevelSize& size : SmallerLevelSizes(record)) {
        const RgbaImage scaled = BoxFilter(image, size.width, size.height);
        const std::vector<std::uint8_t> level =
            kind == TexelKind::Palette ? MapToPalette(palette, scaled, UsesAlpha(record))
                                       : EncodeLevel(kind, scaled, quality);
        levels.insert(levels.end(), level.begin(), level.end());
    }
    return levels;
}

NewLevels Convert(const TextureRecord& record, ReadPicture picture,
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
        levels.pixels = picture.sameBlocks ? std::move(*picture.sameBlocks)
                                           : EncodeLevel(kind, picture.image, options.dxtQuality);
    }
    levels.smallerLevels =
        SmallerLevelsFrom(record, picture.image, levels.palette, options.dxtQuality);
    return levels;
}

}  // namespace

void ImportPictureFile(TextureRecord& record, const std::string& path,
                       const PictureImportOptions& options) {
    if (TexelKindOf(record) == TexelKind::None) {
        throw FileError(path, "the texture is of a kind that takes no picture");
    }
    NewLevels levels;
    try {
        levels = Convert(record, ReadPictureFor(record, path), options);
    } catch (const FileError&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw FileError(path, error.what());
    }
    if (levels.pixels.size() != record.pixelSize || levels.palette.size() != record.paletteSize) {
        throw FileError(path, "the converted picture does not fit the texture");
    }
    record.palette = ByteBuffer::Copy(levels.palette);
    record.pixels = ByteBuffer::Copy(levels.pixels);
    record.smallerLevels = ByteBuffer::Copy(levels.smallerLevels);
}

void RemakeSmallerLevels(TextureRecord& record, DxtQuality quality) {
    if (TexelKindOf(record) == TexelKind::None) {
        return;
    }
    const RgbaImage first = DecodeLevel(record, record.pixels, record.width, record.height);
    record.smallerLevels = SmallerLevelsFrom(record, first, record.palette, quality);
}
