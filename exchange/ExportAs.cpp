// SPDX-License-Identifier: GPL-3.0-or-later
// Encoding a texture's picture or levels into the chosen file format.
#include "exchange/ExportAs.h"

#include <stdexcept>

#include "exchange/DdsLevels.h"
#include "exchange/PictureFile.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "texture/LevelDecode.h"
#include "txd/TextureKinds.h"

namespace tinplate {

bool HasPicture(const TextureRecord& record) {
    return HasPicture(KindOf(record));
}

std::vector<std::uint8_t> EncodeTextureAs(const TextureRecord& record, const std::string& path,
                                          PictureFormat format) {
    if (!HasPicture(record)) {
        throw FileError(path, "the texture is of a kind that makes no picture");
    }
    if (record.width == 0 || record.height == 0) {
        throw FileError(path, "the texture is empty");
    }
    std::vector<std::uint8_t> file;
    if (format == PictureFormat::Dds) {
        file = EncodeDdsWithLevels(record);
    } else {
        try {
            file = EncodePictureFile(format, GamePicture(record));
        } catch (const std::runtime_error& error) {
            throw FileError(path, error.what());
        }
    }
    return file;
}

void ExportTextureAs(const TextureRecord& record, const std::string& path, PictureFormat format) {
    const std::vector<std::uint8_t> file = EncodeTextureAs(record, path, format);
    WriteProductFile(path, {file});
}

}  // namespace tinplate
