// SPDX-License-Identifier: GPL-3.0-or-later
// The libpng reader with its size checks.
#include "exchange/PngDecode.h"

#include <png.h>

#include <algorithm>
#include <array>

namespace tinplate {

namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

// Frees what libpng holds however the read ends.
class PngRead {
public:
    PngRead() { m_image.version = PNG_IMAGE_VERSION; }
    PngRead(const PngRead&) = delete;
    PngRead& operator=(const PngRead&) = delete;
    ~PngRead() { png_image_free(&m_image); }

    png_image& image() { return m_image; }
    std::string message() const { return m_image.message[0] != '\0' ? m_image.message : "damaged"; }

private:
    png_image m_image{};
};

}  // namespace

bool IsPngFile(std::span<const std::uint8_t> file) {
    return file.size() >= kSignature.size() &&
           std::equal(kSignature.begin(), kSignature.end(), file.begin());
}

RgbaImage DecodePng(std::span<const std::uint8_t> file, const std::string& fileName,
                    std::uint32_t width, std::uint32_t height) {
    PngRead read;
    if (png_image_begin_read_from_memory(&read.image(), file.data(), file.size()) == 0) {
        throw FileError(fileName, "the PNG cannot be read: " + read.message());
    }
    RequirePictureSize(read.image().width, read.image().height, width, height, fileName);
    width = read.image().width;
    height = read.image().height;
    read.image().format = PNG_FORMAT_RGBA;
    RgbaImage picture{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    if (png_image_finish_read(&read.image(), nullptr, picture.rgba.data(), 0, nullptr) == 0) {
        throw FileError(fileName, "the PNG cannot be decoded: " + read.message());
    }
    return picture;
}

}  // namespace tinplate
