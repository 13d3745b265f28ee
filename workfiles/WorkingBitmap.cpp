// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a texture's palette and pixels as a working bitmap.
#include "workfiles/WorkingBitmap.h"

#include <utility>
#include <vector>

#include "fileio/ByteOrder.h"
#include "fileio/FileIo.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

void WriteWorkingBitmap(const std::string& path, const TextureRecord& record,
                        std::uint16_t bitsPerPixel) {
    std::vector<std::uint8_t> header;
    header.reserve(kWorkingBitmapHeaderSize);
    AppendLe16(header, 0x4D42);  // "BM"
    AppendLe32(header, kWorkingBitmapHeaderSize + record.paletteSize + record.pixelSize);
    AppendLe16(header, 0);
    AppendLe16(header, 0);
    AppendLe32(header, kWorkingBitmapHeaderSize + record.paletteSize);
    AppendLe32(header, 40);
    AppendLe32(header, record.width);
    AppendLe32(header, record.height);
    AppendLe16(header, 1);
    AppendLe16(header, bitsPerPixel);
    for (int field = 0; field < 6; ++field) {  // compression, image size, resolutions, colours
        AppendLe32(header, 0);
    }
    WriteNewFile(path, {header, record.palette, record.pixels});
}

void WritePictureBitmap(const std::string& path, const TextureRecord& record,
                        std::uint16_t bitsPerPixel) {
    if (!FirstRowOnTop(record) || record.height < 2) {
        WriteWorkingBitmap(path, record, bitsPerPixel);
        return;
    }
    TextureRecord bottomUp = record;
    bottomUp.pixels = ByteBuffer::Copy(std::as_const(record).pixels);
    PutRowsInStoredOrder(record, std::span(bottomUp.pixels.data(), bottomUp.pixels.size()),
                         record.height);
    WriteWorkingBitmap(path, bottomUp, bitsPerPixel);
}

std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::uint8_t> file) {
    if (file.size() < kWorkingBitmapHeaderSize || file[0] != 'B' || file[1] != 'M') {
        return std::nullopt;
    }
    return BitmapHeader{ReadLe32(file, 10),
                        ReadLe32(file, 14),
                        static_cast<std::int32_t>(ReadLe32(file, 18)),
                        static_cast<std::int32_t>(ReadLe32(file, 22)),
                        ReadLe16(file, 28),
                        ReadLe32(file, 30)};
}

}  // namespace tinplate
