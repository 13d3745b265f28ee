// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and encoding DDS files.
#include "imagelibs/common/DdsFormat.h"

#include <algorithm>
#include <array>
#include <utility>

#include "imagelibs/common/ByteFields.h"
#include "imagelibs/common/DxtBlocks.h"

namespace tinplate {

namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::uint32_t kDescriptionSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;
// Header flags: caps, height, width, pitch and pixel format present.
constexpr std::uint32_t kUncompressedHeaderFlags = 0x100F;
constexpr std::uint32_t kFourCcFlag = 0x4;
constexpr std::uint32_t kRgbFlag = 0x40;
constexpr std::uint32_t kAlphaPixelsFlag = 0x1;
constexpr std::uint32_t kTextureCaps = 0x1000;
constexpr std::uint32_t kRedMask = 0x00FF0000;
constexpr std::uint32_t kGreenMask = 0x0000FF00;
constexpr std::uint32_t kBlueMask = 0x000000FF;
constexpr std::uint32_t kAlphaMask = 0xFF000000;

constexpr std::uint32_t FourCc(const char (&code)[5]) {
    return static_cast<std::uint32_t>(code[0]) | static_cast<std::uint32_t>(code[1]) << 8 |
           static_cast<std::uint32_t>(code[2]) << 16 | static_cast<std::uint32_t>(code[3]) << 24;
}

// The byte (0 to 3) that a channel mask selects, or -1 when it selects something else.
int ByteOfMask(std::uint32_t mask) {
    for (int byte = 0; byte < 4; ++byte) {
        if (mask == 0xFFu << (8 * byte)) {
            return byte;
        }
    }
    return -1;
}

// Where B, G, R and A lie within each stored pixel; empty when the masks are not whole,
// distinct bytes. With no alpha mask, the byte left over stands for alpha.
std::optional<std::array<int, 4>> ChannelBytes(std::span<const std::uint8_t> file) {
    std::array<int, 4> bytes{ByteOfMask(ReadLe32(file, 100)), ByteOfMask(ReadLe32(file, 96)),
                             ByteOfMask(ReadLe32(file, 92)), -1};
    const std::uint32_t alphaMask = ReadLe32(file, 104);
    if (alphaMask != 0) {
        bytes[3] = ByteOfMask(alphaMask);
    } else {
        bytes[3] = 6 - bytes[0] - bytes[1] - bytes[2];
    }
    std::array<int, 4> sorted = bytes;
    std::sort(sorted.begin(), sorted.end());
    if (sorted != std::array<int, 4>{0, 1, 2, 3}) {
        return std::nullopt;
    }
    return bytes;
}

std::optional<DxtKind> DxtKindOf(std::uint32_t fourCc) {
    if (fourCc == FourCc("DXT1")) {
        return DxtKind::kDxt1;
    }
    if (fourCc == FourCc("DXT3")) {
        return DxtKind::kDxt3;
    }
    if (fourCc == FourCc("DXT5")) {
        return DxtKind::kDxt5;
    }
    return std::nullopt;
}

// The sides of a DDS file with a sound header and a picture within the decoded limit.
std::optional<std::pair<std::uint32_t, std::uint32_t>> Sides(std::span<const std::uint8_t> file) {
    if (!Holds(file, 0, kHeaderSize) || ReadLe32(file, 0) != FourCc("DDS ") ||
        ReadLe32(file, 4) != kDescriptionSize) {
        return std::nullopt;
    }
    const std::uint32_t height = ReadLe32(file, 12);
    const std::uint32_t width = ReadLe32(file, 16);
    if (width == 0 || height == 0 || !FitsDecodedLimit(width, height)) {
        return std::nullopt;
    }
    return std::pair(width, height);
}

bool IsBlockCompressed(std::span<const std::uint8_t> file) {
    return (ReadLe32(file, 80) & kFourCcFlag) != 0;
}

}  // namespace

std::optional<DxtImage> ViewDxt(std::span<const std::uint8_t> file) {
    const auto sides = Sides(file);
    if (!sides || !IsBlockCompressed(file)) {
        return std::nullopt;
    }
    const auto kind = DxtKindOf(ReadLe32(file, 84));
    const std::span<const std::uint8_t> data = file.subspan(kHeaderSize);
    if (!kind || !Holds(data, 0, DxtDataSize(*kind, sides->first, sides->second))) {
        return std::nullopt;
    }
    return DxtImage{*kind, sides->first, sides->second, data};
}

std::optional<Picture> ParseDds(std::span<const std::uint8_t> file) {
    const auto sides = Sides(file);
    if (!sides) {
        return std::nullopt;
    }
    Picture picture;
    picture.width = sides->first;
    picture.height = sides->second;
    std::vector<std::uint8_t>& pixels = picture.pixels;
    if (IsBlockCompressed(file)) {
        const auto image = ViewDxt(file);
        if (!image) {
            return std::nullopt;
        }
        pixels = DecodeDxt(image->kind, image->width, image->height, image->blocks);
    } else {
        const std::span<const std::uint8_t> data = file.subspan(kHeaderSize);
        const std::uint64_t pixelCount = std::uint64_t{picture.width} * picture.height;
        const std::uint32_t formatFlags = ReadLe32(file, 80);
        const auto channels = ChannelBytes(file);
        if (!(formatFlags & kRgbFlag) || ReadLe32(file, 88) != 32 || !channels ||
            !Holds(data, 0, pixelCount * 4)) {
            return std::nullopt;
        }
        pixels.resize(pixelCount * 4);
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            for (int channel = 0; channel < 4; ++channel) {
                pixels[i + channel] = data[i + (*channels)[channel]];
            }
        }
        FlipRowsInPlace(pixels, std::size_t{picture.width} * 4);
    }
    return picture;
}

EncodedFile EncodeDds(Picture picture, bool withAlpha) {
    std::vector<std::uint8_t> file;
    file.reserve(kHeaderSize);
    AppendLe32(file, FourCc("DDS "));
    AppendLe32(file, kDescriptionSize);
    AppendLe32(file, kUncompressedHeaderFlags);
    AppendLe32(file, picture.height);
    AppendLe32(file, picture.width);
    AppendLe32(file, picture.width * 4);  // pitch
    AppendLe32(file, 0);                  // depth
    AppendLe32(file, 0);                  // mip-map count
    file.resize(76, 0);                   // reserved words
    AppendLe32(file, kPixelFormatSize);
    AppendLe32(file, withAlpha ? kRgbFlag | kAlphaPixelsFlag : kRgbFlag);
    AppendLe32(file, 0);  // no FourCC
    AppendLe32(file, 32);
    AppendLe32(file, kRedMask);
    AppendLe32(file, kGreenMask);
    AppendLe32(file, kBlueMask);
    AppendLe32(file, withAlpha ? kAlphaMask : 0);
    AppendLe32(file, kTextureCaps);
    file.resize(kHeaderSize, 0);  // caps 2 to 4 and the reserved word
    FlipRowsInPlace(picture.pixels, std::size_t{picture.width} * 4);
    return EncodedFile{std::move(file), std::move(picture.pixels)};
}

}  // namespace tinplate
