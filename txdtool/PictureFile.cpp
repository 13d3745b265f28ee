// SPDX-License-Identifier: GPL-3.0-or-later
#include "PictureFile.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <memory>

#include "DdsFormat.h"
#include "FileError.h"
#include "FileIo.h"

namespace {

// Matches the largest texture a dictionary can hold a side of, and keeps decoding in bounds.
constexpr std::uint64_t kMaxSide = 0xFFFF;
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;

void RequireSize(const std::string& path, std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels) {
        throw FileError(path, "the picture measures " + std::to_string(width) + " x " +
                                  std::to_string(height) + ", which no texture can hold");
    }
}

RgbaImage FromDds(const std::string& path, std::span<const std::uint8_t> bytes) {
    const auto picture = ParseDds(bytes);
    if (!picture || picture->bitsPerPixel != 32) {
        throw FileError(path, "the DDS file holds neither DXT1/3/5 blocks nor 32-bit pixels");
    }
    RequireSize(path, picture->width, picture->height);
    // A decoded picture keeps its rows bottom-up and its channels B, G, R, A.
    RgbaImage image{picture->width, picture->height, {}};
    const std::size_t rowBytes = std::size_t{picture->width} * 4;
    image.rgba.reserve(picture->pixels.size());
    for (std::size_t row = picture->height; row-- > 0;) {
        const auto first = picture->pixels.begin() + static_cast<std::ptrdiff_t>(row * rowBytes);
        image.rgba.insert(image.rgba.end(), first, first + static_cast<std::ptrdiff_t>(rowBytes));
    }
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        std::swap(image.rgba[i], image.rgba[i + 2]);
    }
    return image;
}

RgbaImage FromStb(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const int size = static_cast<int>(std::min<std::size_t>(bytes.size(), 0x7FFFFFFF));
    int width = 0;
    int height = 0;
    int channels = 0;
    if (stbi_info_from_memory(bytes.data(), size, &width, &height, &channels) == 0) {
        throw FileError(
            path, std::string("not a picture that can be read (") + stbi_failure_reason() + ")");
    }
    RequireSize(path, static_cast<std::uint64_t>(width), static_cast<std::uint64_t>(height));
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(bytes.data(), size, &width, &height, &channels, 4), stbi_image_free);
    if (!pixels) {
        throw FileError(
            path, std::string("the picture cannot be decoded (") + stbi_failure_reason() + ")");
    }
    RgbaImage image{static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height), {}};
    image.rgba.assign(pixels.get(), pixels.get() + std::size_t{image.width} * image.height * 4);
    return image;
}

}  // namespace

RgbaImage ReadPicture(const std::string& path) {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
    if (bytes.size() >= 4 && std::equal(bytes.begin(), bytes.begin() + 4, "DDS ")) {
        return FromDds(path, bytes);
    }
    return FromStb(path, bytes);
}
