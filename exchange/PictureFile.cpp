// SPDX-License-Identifier: GPL-3.0-or-later
// Picture files through stb_image and stb_image_write, PNG through libpng.
#include "exchange/PictureFile.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <limits>
#include <memory>
#include <stdexcept>

#include "exchange/PngDecode.h"

namespace tinplate {

namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

void AppendBytes(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* first = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), first, first + size);
}

std::string FailureReason() {
    const char* reason = stbi_failure_reason();
    return reason != nullptr ? reason : "unknown reason";
}

}  // namespace

RgbaImage DecodePictureFile(std::span<const std::uint8_t> file, const std::string& fileName,
                            std::uint32_t width, std::uint32_t height) {
    if (IsPngFile(file)) {
        return DecodePng(file, fileName, width, height);
    }
    if (file.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw FileError(fileName, "the file is too large for a picture");
    }
    const int size = static_cast<int>(file.size());
    int x = 0, y = 0, channels = 0;
    if (stbi_info_from_memory(file.data(), size, &x, &y, &channels) == 0) {
        throw FileError(fileName,
                        "it is no picture of a kind this program reads (PNG, Targa, "
                        "BMP, JPEG or DDS): " +
                            FailureReason());
    }
    RequirePictureSize(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), width, height,
                       fileName);
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(file.data(), size, &x, &y, &channels, 4));
    if (!pixels) {
        throw FileError(fileName, "the picture cannot be decoded: " + FailureReason());
    }
    RequirePictureSize(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y), width, height,
                       fileName);
    width = static_cast<std::uint32_t>(x);
    height = static_cast<std::uint32_t>(y);
    const std::size_t bytes = std::size_t{width} * height * 4;
    return {width, height, std::vector<std::uint8_t>(pixels.get(), pixels.get() + bytes)};
}

std::vector<std::uint8_t> EncodePictureFile(PictureFormat format, const RgbaImage& image) {
    std::vector<std::uint8_t> file;
    const int width = static_cast<int>(image.width);
    const int height = static_cast<int>(image.height);
    int written = 0;
    switch (format) {
        case PictureFormat::Png:
            written = stbi_write_png_to_func(AppendBytes, &file, width, height, 4,
                                             image.rgba.data(), width * 4);
            break;
        case PictureFormat::Tga:
            written =
                stbi_write_tga_to_func(AppendBytes, &file, width, height, 4, image.rgba.data());
            break;
        case PictureFormat::Bmp:
            written =
                stbi_write_bmp_to_func(AppendBytes, &file, width, height, 4, image.rgba.data());
            break;
        case PictureFormat::Dds:
            break;
    }
    if (written == 0 || image.rgba.empty()) {
        throw std::runtime_error("the picture could not be encoded");
    }
    return file;
}

}  // namespace tinplate
