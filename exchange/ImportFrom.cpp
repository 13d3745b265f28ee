// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a picture file by its contents and drawing it into a texture.
#include "exchange/ImportFrom.h"

#include <cstring>
#include <stdexcept>

#include "exchange/DdsLevels.h"
#include "exchange/PictureFile.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "txd/GameLevels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

FilePicture DecodeFilePicture(std::span<const std::uint8_t> file, const std::string& path,
                              std::uint32_t width, std::uint32_t height) {
    if (file.size() >= 4 && std::memcmp(file.data(), "DDS ", 4) == 0) {
        return ReadDdsFirstLevel(file, path, width, height);
    }
    return {DecodePictureFile(file, path, width, height), {}, {}};
}

}  // namespace

FilePicture ReadPictureFile(const std::string& path, std::uint32_t width, std::uint32_t height) {
    return DecodeFilePicture(ReadWholeFile(path), path, width, height);
}

void ImportPictureFile(TextureRecord& record, const std::string& path,
                       const PictureImportOptions& options) {
    if (!HasPicture(KindOf(record))) {
        throw FileError(path, "the texture is of a kind that takes no picture");
    }
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    FilePicture picture = DecodeFilePicture(file, path, record.width, record.height);
    TextureRecord drawn = record;
    if (auto game = GameLevelsInDds(file, record)) {
        StoreGameLevels(drawn, GamePaletteOf(drawn), game->first, game->smaller);
    } else {
        try {
            DrawPicture(drawn, std::move(picture), options);
        } catch (const std::runtime_error& error) {
            throw FileError(path, error.what());
        }
        // A picture that gives back the first level and palette as they were leaves the
        // smaller levels too: they may be the author's own, which no resize makes again.
        if (drawn.pixels == record.pixels && drawn.palette == record.palette) {
            drawn.smallerLevels = record.smallerLevels;
        }
    }
    record = std::move(drawn);
}

}  // namespace tinplate
