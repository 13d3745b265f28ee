// SPDX-License-Identifier: GPL-3.0-or-later
// The readers of pictures taken in by Import From and txdtool import: PNG, Targa, BMP and JPEG
// through stb_image, and the first level of a DDS file. The first two bytes give the size the
// texture asks for (1 to 64 on each side); the rest is the file.
#include <stdexcept>

#include "exchange/DdsLevels.h"
#include "exchange/PictureFile.h"
#include "fileio/FileError.h"
#include "fuzz/FuzzTarget.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const std::uint32_t width = data[0] % 64u + 1;
    const std::uint32_t height = data[1] % 64u + 1;
    const std::span<const std::uint8_t> file(data + 2, size - 2);
    try {
        DecodePictureFile(file, "fuzz", width, height);
    } catch (const FileError&) {
    }
    try {
        ReadDdsFirstLevel(file, "fuzz.dds", width, height);
    } catch (const FileError&) {
    }
    return 0;
}

}  // namespace tinplate
