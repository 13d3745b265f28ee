// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportAs.h"

#include <stdexcept>

#include "AtomicFile.h"
#include "DdsLevels.h"
#include "FileError.h"
#include "LevelDecode.h"
#include "PictureFile.h"
#include "TexelKind.h"

bool HasPicture(const TextureRecord& record) {
    return TexelKindOf(record) != TexelKind::None;
}

void ExportTextureAs(const TextureRecord& record, const std::string& path, PictureFormat format) {
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
            file = EncodePictureFile(
                format, DecodeLevel(record, record.pixels, record.width, record.height));
        } catch (const std::runtime_error& error) {
            throw FileError(path, error.what());
        }
    }
    WriteProductFile(path, {file});
}
