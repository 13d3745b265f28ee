// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a picture file by its contents and drawing it into a texture.
#include "exchange/ImportFrom.h"

#include <cstring>
#include <stdexcept>

#include "exchange/DdsLevels.h"
#include "exchange/PictureFile.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "texture/TexelKind.h"

namespace tinplate {

FilePicture ReadPictureFile(const std::string& path, std::uint32_t width, std::uint32_t height) {
    const std::vector<std::uint8_t> file = ReadWholeFile(path);
    if (file.size() >= 4 && std::memcmp(file.data(), "DDS ", 4) == 0) {
        return ReadDdsFirstLevel(file, path, width, height);
    }
    return {DecodePictureFile(file, path, width, height), {}, {}};
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

}  // namespace tinplate
