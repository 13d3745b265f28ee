// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the preview picture in the format its name asks for.
#include "txdtool/PreviewFile.h"

#include "exchange/PictureFile.h"
#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "txdtool/CommandLine.h"
#include "txdtool/Paths.h"
#include "txdtool/PngFile.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

namespace {

// The picture's 0xFFRRGGBB words as opaque RGBA.
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
    if (format == PictureFormat::Png) {
        WritePng(path, image);
        return;
    }
    const std::size_t count = std::size_t{image.width} * image.height;
    if (count == 0 || image.pixels.size() != count) {
        throw FileError(path, "the picture is empty");
    }
    WriteProductFile(path, {EncodePictureFile(format, OpaqueRgba(image))});
}

}  // namespace tinplate
