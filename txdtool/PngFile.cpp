// SPDX-License-Identifier: GPL-3.0-or-later
#include "PngFile.h"

#include <stb/stb_image_write.h>

#include <cstdint>
#include <vector>

#include "AtomicFile.h"
#include "FileError.h"
#include "StandardStreams.h"

namespace {

void AppendBytes(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), first, first + size);
}

}  // namespace

void WritePng(const std::string& path, const Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.pixels.size() != count) {
        throw FileError(path, "the picture is empty");
    }
    std::vector<std::uint8_t> rgb;
    rgb.reserve(count * 3);
    for (std::uint32_t pixel : image.pixels) {
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 16));
        rgb.push_back(static_cast<std::uint8_t>(pixel >> 8));
        rgb.push_back(static_cast<std::uint8_t>(pixel));
    }
    std::vector<std::uint8_t> png;
    const int width = static_cast<int>(image.width);
    if (stbi_write_png_to_func(AppendBytes, &png, width, static_cast<int>(image.height), 3,
                               rgb.data(), width * 3) == 0) {
        throw FileError(path, "the PNG could not be encoded");
    }
    if (IsStandardStream(path)) {
        WriteStandardOutput(png);
        return;
    }
    WriteProductFile(path, {png});
}
