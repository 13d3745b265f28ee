// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a texture's first level as a DDS working file.
#include "workfiles/DdsFile.h"

#include <cstring>

#include "fileio/ByteOrder.h"
#include "fileio/FileIo.h"
#include "txd/TextureKinds.h"

namespace tinplate {

std::array<std::uint8_t, kDdsHeaderSize> DdsHeaderFor(const TextureRecord& record) {
    std::array<std::uint8_t, kDdsHeaderSize> header{};
    std::memcpy(header.data(), "DDS ", 4);
    WriteLe32(header, 4, 124);
    WriteLe32(header, 8, 0x1007);  // caps, height, width and pixel format present
    WriteLe32(header, kDdsHeightOffset, record.height);
    WriteLe32(header, kDdsWidthOffset, record.width);
    WriteLe32(header, 76, 32);  // pixel format size
    WriteLe32(header, 80, 4);   // FourCC present
    if (const char* fourCc = FourCcOfCompression(record.compression)) {
        std::memcpy(header.data() + kDdsFourCcOffset, fourCc, 4);
    }
    WriteLe32(header, 108, 0x1000);  // texture
    return header;
}

void WriteDdsFile(const std::string& path, const TextureRecord& record) {
    const auto header = DdsHeaderFor(record);
    WriteNewFile(path, {header, record.pixels});
}

}  // namespace tinplate
