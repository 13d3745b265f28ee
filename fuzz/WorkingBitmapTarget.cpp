// SPDX-License-Identifier: GPL-3.0-or-later
// The loader of the bitmaps the picture area shows. It reads a file, so each input becomes one.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fuzz/FuzzTarget.h"
#include "preview/BitmapImage.h"

namespace tinplate {

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("tinplate-fuzz-" + std::to_string(::getpid()) + ".bmp"))
                                        .string();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    LoadBitmapImage(path);
    std::filesystem::remove(path);
    return 0;
}

}  // namespace tinplate
