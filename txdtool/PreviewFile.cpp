// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreviewFile.h"

#include <png.h>

#include <vector>

#include "AtomicFile.h"
#include "CommandLine.h"
#include "FileError.h"
#include "Paths.h"
#include "PictureFile.h"
#include "StandardStreams.h"

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

std::vector<std::uint8_t> PngBytes(const std::string& path, const Image& image) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_BGR;
    // The fastest compression: a preview is written once and read once.
    png.flags = PNG_IMAGE_FLAG_FAST;
    const std::vector<std::uint8_t> bgr = BgrBytes(image);
    png_alloc_size_t size = PNG_IMAGE_PNG_SIZE_MAX(png);
    std::vector<std::uint8_t> file(size);
    if (png_image_write_to_memory(&png, file.data(), &size, 0, bgr.data(), 0, nullptr) == 0) {
        const std::string reason = png.message;
        png_image_free(&png);
        throw FileError(path, "the PNG could not be encoded: " + reason);
    }
    file.resize(size);
    return file;
}

RgbaImage OpaqueRgba(const Image& image) {
    RgbaImage rgba{image.width, image.height, {}};
    rgba.rgba.reserve(image.pixels.size() * 4);
    for (const std::uint32_t pixel : image.pixels) {
        for (const int shift : {16, 8, 0}) {
            rgba.rgba.push_back(static_cast<std::uint8_t>(pixel >> shift));
        }
        rgba.rgba.push_back(0xFF);
    }
    return rgba;
}

}  // namespace

PictureFormat PreviewFormatFor(const std::string& path) {
    const auto format =
        IsStandardStream(path) ? PictureFormat::Png : PictureFormatNamed(ExtensionWord(path));
    if (!format || *format == PictureFormat::Dds) {
        throw UsageError("a preview is written as .png, .tga or .bmp, not " + path);
    }
    return *format;
}

void WritePreviewFile(const std::string& path, PictureFormat format, const Image& image) {
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.pixels.size() != count) {
        throw FileError(path, "the picture is empty");
    }
    const std::vector<std::uint8_t> file = format == PictureFormat::Png
                                               ? PngBytes(path, image)
                                               : EncodePictureFile(format, OpaqueRgba(image));
    if (IsStandardStream(path)) {
        WriteStandardOutput(file);
        return;
    }
    WriteProductFile(path, {file});
}
