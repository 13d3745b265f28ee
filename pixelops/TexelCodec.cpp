// SPDX-License-Identifier: GPL-3.0-or-later
#include "TexelCodec.h"

#include <squish.h>

#include <algorithm>

#include "DictionaryReader.h"

namespace {

int SquishKind(std::int32_t compression) {
    switch (compression) {
        case compression::kDxt1:
            return squish::kDxt1;
        case compression::kDxt3:
            return squish::kDxt3;
        default:
            return squish::kDxt5;
    }
}

RgbaImage DecodeIndexed(const TextureRecord& record) {
    const std::vector<std::uint8_t> palette = SwapRedBlue(record.palette);
    RgbaImage image{record.width, record.height, {}};
    image.rgba.resize(record.pixels.size() * 4, 0);
    for (std::size_t i = 0; i < record.pixels.size(); ++i) {
        const std::size_t entry = std::size_t{record.pixels[i]} * 4;
        if (entry + 4 <= palette.size()) {
            std::copy_n(palette.begin() + static_cast<std::ptrdiff_t>(entry), 4,
                        image.rgba.begin() + static_cast<std::ptrdiff_t>(i * 4));
        }
    }
    return image;
}

}  // namespace

std::optional<RgbaImage> DecodeFirstLevel(const TextureRecord& record) {
    const TextureSizes sizes = SizesForHeader(record.depth, record.compression, record.width,
                                              record.height, record.alphaFlags);
    if (sizes.pixelSize == 0 || record.pixels.size() != sizes.pixelSize ||
        record.palette.size() != sizes.paletteSize) {
        return std::nullopt;
    }
    if (record.depth == 8) {
        return DecodeIndexed(record);
    }
    if (IsBlockCompressed(record)) {
        RgbaImage image{record.width, record.height, {}};
        image.rgba.resize(std::size_t{record.width} * record.height * 4);
        squish::DecompressImage(image.rgba.data(), static_cast<int>(record.width),
                                static_cast<int>(record.height), record.pixels.data(),
                                SquishKind(record.compression));
        return image;
    }
    if (record.depth == 32 && record.compression == compression::kNone) {
        return RgbaImage{record.width, record.height, SwapRedBlue(record.pixels)};
    }
    return std::nullopt;
}

std::vector<std::uint8_t> EncodeBgra(const RgbaImage& image) {
    return SwapRedBlue(image.rgba);
}

std::vector<std::uint8_t> EncodeBlocks(const RgbaImage& image, std::int32_t compression) {
    const int kind = SquishKind(compression);
    std::vector<std::uint8_t> blocks(static_cast<std::size_t>(squish::GetStorageRequirements(
        static_cast<int>(image.width), static_cast<int>(image.height), kind)));
    squish::CompressImage(image.rgba.data(), static_cast<int>(image.width),
                          static_cast<int>(image.height), blocks.data(), kind);
    return blocks;
}

std::vector<std::uint8_t> SwapRedBlue(std::span<const std::uint8_t> quads) {
    std::vector<std::uint8_t> swapped(quads.begin(), quads.end());
    for (std::size_t i = 0; i + 3 < swapped.size(); i += 4) {
        std::swap(swapped[i], swapped[i + 2]);
    }
    return swapped;
}

bool HasTranslucentPixel(const RgbaImage& image) {
    for (std::size_t i = 3; i < image.rgba.size(); i += 4) {
        if (image.rgba[i] != 255) {
            return true;
        }
    }
    return false;
}
