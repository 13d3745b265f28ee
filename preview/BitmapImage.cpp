// SPDX-License-Identifier: GPL-3.0-or-later
#include "BitmapImage.h"

#include <cstdlib>
#include <span>

#include "FileError.h"
#include "FileIo.h"
#include "WorkingBitmap.h"

namespace {

constexpr std::uint64_t kMaxPixels = 64ull * 1024 * 1024;

std::uint32_t Opaque(std::span<const std::uint8_t> bgr) {
    return 0xFF000000u | (static_cast<std::uint32_t>(bgr[2]) << 16) |
           (static_cast<std::uint32_t>(bgr[1]) << 8) | bgr[0];
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
    const auto colourTable =
        file.subspan(kWorkingBitmapHeaderSize, pixelOffset - kWorkingBitmapHeaderSize);
    const std::size_t colours = colourTable.size() / 4;

    Image image;
    image.width = static_cast<std::uint32_t>(width);
    image.height = static_cast<std::uint32_t>(height);
    image.pixels.resize(static_cast<std::size_t>(width) * height);
    const bool bottomUp = signedHeight > 0;
    for (std::uint64_t row = 0; row < height; ++row) {
        const auto stored = file.subspan(pixelOffset + row * rowBytes, rowBytes);
        std::uint32_t* out =
            image.pixels.data() + (bottomUp ? height - 1 - row : row) * image.width;
        for (std::uint32_t x = 0; x < image.width; ++x) {
            if (bitsPerPixel == 32) {
                out[x] = Opaque(stored.subspan(x * 4, 3));
            } else {
                const std::uint8_t index = stored[x];
                out[x] = index < colours ? Opaque(colourTable.subspan(index * 4u, 3)) : 0xFF000000u;
            }
        }
    }
    return image;
}

}  // namespace

std::optional<Image> LoadBitmapImage(const std::string& path) {
    try {
        return DecodeBitmap(ReadWholeFile(path));
    } catch (const FileError&) {
        return std::nullopt;
    }
}
