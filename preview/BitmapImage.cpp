// SPDX-License-Identifier: GPL-3.0-or-later
// Reading the image library's bitmaps into screen pictures.
#include "preview/BitmapImage.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <span>

#include "fileio/FileError.h"
#include "fileio/MappedFile.h"
#include "workfiles/WorkingBitmap.h"

namespace tinplate {

namespace {

constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

// B, G, R, A bytes read as one little-endian word are 0xAARRGGBB already.
std::uint32_t Opaque(const std::uint8_t* bgra) {
    std::uint32_t word = 0;
    std::memcpy(&word, bgra, 4);
    return word | 0xFF000000u;
}

// Colour-table entries 0 to 255 as screen pixels; an index past the table is black.
std::array<std::uint32_t, 256> ScreenColours(std::span<const std::uint8_t> colourTable) {
    std::array<std::uint32_t, 256> colours;
    colours.fill(0xFF000000u);
    for (std::size_t i = 0; i < colourTable.size() / 4 && i < colours.size(); ++i) {
        colours[i] = Opaque(colourTable.data() + i * 4);
    }
    return colours;
}

std::optional<Image> DecodeBitmap(std::span<const std::uint8_t> file) {
    const auto header = ReadBitmapHeader(file);
    if (!header) {
        return std::nullopt;
    }
    const std::uint32_t pixelOffset = header->pixelOffset;
    const std::int32_t width = header->width;
    const std::int32_t signedHeight = header->height;
    const std::uint16_t bitsPerPixel = header->bitsPerPixel;
    const bool knownCompression =
        header->compression == 0 || (bitsPerPixel == 32 && header->compression == 3);
    if (header->infoSize < 40 || width <= 0 || signedHeight == 0 || signedHeight == INT32_MIN ||
        !knownCompression || (bitsPerPixel != 8 && bitsPerPixel != 32) ||
        pixelOffset < kWorkingBitmapHeaderSize || pixelOffset > file.size()) {
        return std::nullopt;
    }
    const std::uint64_t height = static_cast<std::uint64_t>(std::abs(signedHeight));
    if (static_cast<std::uint64_t>(width) * height > kMaxPixels) {
        return std::nullopt;
    }
    const std::uint64_t rowBytes = static_cast<std::uint64_t>(width) * (bitsPerPixel / 8);
    if (rowBytes * height > file.size() - pixelOffset) {
        return std::nullopt;
    }
    const auto colours = ScreenColours(
        file.subspan(kWorkingBitmapHeaderSize, pixelOffset - kWorkingBitmapHeaderSize));

    Image image;
    image.width = static_cast<std::uint32_t>(width);
    image.height = static_cast<std::uint32_t>(height);
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    const bool bottomUp = signedHeight > 0;
    for (std::uint64_t row = 0; row < height; ++row) {
        const std::uint8_t* stored = file.data() + pixelOffset + row * rowBytes;
        std::uint32_t* out =
            image.pixels.data() + (bottomUp ? height - 1 - row : row) * image.width;
        if (bitsPerPixel == 32) {
            for (std::uint32_t x = 0; x < image.width; ++x) {
                out[x] = Opaque(stored + x * 4);
            }
        } else {
            for (std::uint32_t x = 0; x < image.width; ++x) {
                out[x] = colours[stored[x]];
            }
        }
    }
    return image;
}

}  // namespace

std::optional<Image> LoadBitmapImage(const std::string& path) {
    try {
        return DecodeBitmap(MappedFile::Open(path)->bytes());
    } catch (const FileError&) {
        return std::nullopt;
    }
}

}  // namespace tinplate
