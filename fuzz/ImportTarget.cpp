// SPDX-License-Identifier: GPL-3.0-or-later
// The checks an import makes before a texture takes an image library's bitmap or a DDS file.
// The first six bytes give the texture: width and height (12 bits each), kind, palette kind.
#include "exchange/ImportedLevel.h"
#include "fileio/FileError.h"
#include "fuzz/FuzzTarget.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6) {
        return 0;
    }
    static constexpr std::int32_t kCompressions[] = {0, 12, 14, 15};
    static constexpr std::uint32_t kAlphaFlags[] = {0x2500, 0x4500, 0x0500, 0x0200};
    TextureRecord record;
    record.width = data[0] | (data[1] & 0x0F) << 8;
    record.height = data[2] | (data[3] & 0x0F) << 8;
    record.compression = kCompressions[data[4] % 4];
    record.depth = record.compression != 0 ? 16 : (data[4] & 4) ? 32 : 8;
    const TextureSizes sizes = SizesForHeader(record.depth, record.compression, record.width,
                                              record.height, kAlphaFlags[data[5] % 4]);
    record.paletteSize = static_cast<std::uint32_t>(sizes.paletteSize);
    record.pixelSize = static_cast<std::uint32_t>(sizes.pixelSize);
    const std::span<const std::uint8_t> file(data + 6, size - 6);
    const bool indexed = record.depth == 8;
    try {
        TakeFromBitmap(file, "ImportFile.bmp",
                       {indexed ? 54u : 74u, std::uint16_t(indexed ? 8 : 32)}, record, "fuzz");
    } catch (const FileError&) {
    }
    try {
        TakeFromDds(file, record, "fuzz.dds");
    } catch (const FileError&) {
    }
    return 0;
}

}  // namespace tinplate
