// SPDX-License-Identifier: GPL-3.0-or-later
// The PNG writer through libpng.
#include "txdtool/PngFile.h"

#include <png.h>

#include <vector>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

namespace {

// The picture's 0xFFRRGGBB words as B, G, R bytes: the PNG holds no alpha, as the editor shows
// its pictures opaque.
std::vector<std::uint8_t> BgrBytes(const Image& image) {
    std::vector<std::uint8_t> bgr(image.pixels.size() * 3);
    std::uint8_t* out = bgr.data();
    for (const std::uint32_t pixel : image.pixels) {
        *out++ = static_cast<std::uint8_t>(pixel);
        *out++ = static_cast<std::uint8_t>(pixel >> 8);
        *out++ = static_cast<std::uint8_t>(pixel >> 16);
    }
    return bgr;
}

// Encodes `bytes` (rows top to bottom in libpng's `format`) and writes the file.
void WriteEncoded(const std::string& path, std::uint32_t width, std::uint32_t height,
                  std::uint32_t format, const std::vector<std::uint8_t>& bytes,
                  Durability durability) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = width;
    png.height = height;
    png.format = format;
    // The fastest compression: previews and thumbnails are small, and are wanted at once.
    png.flags = PNG_IMAGE_FLAG_FAST;
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png);
    std::vector<std::uint8_t> file(size);
    if (png_image_write_to_memory(&png, file.data(), &size, 0, bytes.data(), 0, nullptr) == 0) {
        const std::string reason = png.message;
        png_image_free(&png);
        throw FileError(path, "the PNG could not be encoded: " + reason);
    }
    file.resize(size);
    if (IsStandardStream(path)) {
        WriteStandardOutput(file);
        return;
    }
    WriteProductFile(path, {file}, durability);
}

}  // namespace

void WritePng(const std::string& path, const Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.pixels.size() != count) {
        throw FileError(path, "the picture is empty");
    }
    WriteEncoded(path, image.width, image.height, PNG_FORMAT_BGR, BgrBytes(image),
                 Durability::Flushed);
}

void WritePng(const std::string& path, const RgbaImage& image, Durability durability) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.rgba.size() != count * 4) {
        throw FileError(path, "the picture is empty");
    }
    WriteEncoded(path, image.width, image.height, PNG_FORMAT_RGBA, image.rgba, durability);
}

}  // namespace tinplate
