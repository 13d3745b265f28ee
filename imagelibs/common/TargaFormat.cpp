// SPDX-License-Identifier: GPL-3.0-or-later
// Parsing and encoding Targa images.
#include "imagelibs/common/TargaFormat.h"

#include <algorithm>
#include <limits>

#include "imagelibs/common/ByteFields.h"

namespace tinplate {

namespace {

constexpr std::size_t kHeaderSize = 18;
constexpr std::uint8_t kColourMapped = 1;
constexpr std::uint8_t kTrueColour = 2;
constexpr std::uint8_t kRunLengthBit = 8;
constexpr std::uint8_t kRightToLeft = 0x10;
constexpr std::uint8_t kTopToBottom = 0x20;
constexpr std::uint8_t kEightAlphaBits = 0x08;
constexpr std::uint32_t kMaxTableEntries = 256;

struct TargaHeader {
    std::uint8_t imageType;
    bool hasColourMap;
    std::uint32_t mapFirst;
    std::uint32_t mapLength;
    std::uint32_t mapEntryBits;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t pixelBits;
    std::uint8_t descriptor;
};

TargaHeader ReadHeader(std::span<const std::uint8_t> file) {
    return TargaHeader{file[2], file[1] == 1,       ReadLe16(file, 3),  ReadLe16(file, 5),
                       file[7], ReadLe16(file, 12), ReadLe16(file, 14), file[16],
                       file[17]};
}

// The colour map as B, G, R, A entries from index 0 on; entries below the map's first index
// stay transparent black.
std::optional<std::vector<std::uint8_t>> ReadColourTable(const TargaHeader& header,
                                                         std::span<const std::uint8_t> map) {
    const std::uint32_t entryBytes = header.mapEntryBits / 8;
    const std::uint32_t entries = header.mapFirst + header.mapLength;
    if ((header.mapEntryBits != 24 && header.mapEntryBits != 32) || header.mapLength == 0 ||
        entries > kMaxTableEntries) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> table(std::size_t{entries} * 4, 0);
    for (std::uint32_t i = 0; i < header.mapLength; ++i) {
        std::uint8_t* entry = &table[(header.mapFirst + i) * 4];
        std::copy_n(map.begin() + i * entryBytes, entryBytes, entry);
        if (entryBytes == 3) {
            entry[3] = 0xFF;
        }
    }
    return table;
}

// Reads `count` pixels of `pixelBytes` each, run-length packed or not. Empty when the data
// ends early or a packet runs past the image.
std::optional<std::vector<std::uint8_t>> ReadPixelData(std::span<const std::uint8_t> data,
                                                       std::uint64_t count,
                                                       std::uint32_t pixelBytes, bool runLength) {
    const std::uint64_t total = count * pixelBytes;
    if (!runLength) {
        if (!Holds(data, 0, total)) {
            return std::nullopt;
        }
        return std::vector<std::uint8_t>(data.begin(), data.begin() + total);
    }
    std::vector<std::uint8_t> pixels;
    pixels.reserve(total);
    std::size_t at = 0;
    while (pixels.size() < total) {
        if (at >= data.size()) {
            return std::nullopt;
        }
        const std::uint8_t packet = data[at++];
        const std::uint64_t repeat = (packet & 0x7F) + 1u;
        if (repeat * pixelBytes > total - pixels.size()) {
            return std::nullopt;
        }
        if (packet & 0x80) {
            if (!Holds(data, at, pixelBytes)) {
                return std::nullopt;
            }
            for (std::uint64_t i = 0; i < repeat; ++i) {
                pixels.insert(pixels.end(), data.begin() + at, data.begin() + at + pixelBytes);
            }
            at += pixelBytes;
        } else {
            const std::uint64_t rawBytes = repeat * pixelBytes;
            if (!Holds(data, at, rawBytes)) {
                return std::nullopt;
            }
            pixels.insert(pixels.end(), data.begin() + at, data.begin() + at + rawBytes);
            at += rawBytes;
        }
    }
    return pixels;
}

std::vector<std::uint8_t> OpaqueFromBgr(const std::vector<std::uint8_t>& bgr) {
    std::vector<std::uint8_t> bgra;
    bgra.reserve(bgr.size() / 3 * 4);
    for (std::size_t i = 0; i + 3 <= bgr.size(); i += 3) {
        bgra.insert(bgra.end(), {bgr[i], bgr[i + 1], bgr[i + 2], 0xFF});
    }
    return bgra;
}

}  // namespace

std::optional<Picture> ParseTarga(std::span<const std::uint8_t> file) {
    if (!Holds(file, 0, kHeaderSize)) {
        return std::nullopt;
    }
    const TargaHeader header = ReadHeader(file);
    const std::uint8_t baseType = header.imageType & ~kRunLengthBit;
    const bool colourMapped = baseType == kColourMapped;
    const bool validDepth = colourMapped ? header.pixelBits == 8 && header.hasColourMap
                                         : header.pixelBits == 24 || header.pixelBits == 32;
    if ((baseType != kColourMapped && baseType != kTrueColour) || !validDepth ||
        (file[1] != 0 && file[1] != 1) || (header.descriptor & kRightToLeft) || header.width == 0 ||
        header.height == 0 || !FitsDecodedLimit(header.width, header.height)) {
        return std::nullopt;
    }

    const std::uint64_t mapOffset = kHeaderSize + std::uint64_t{file[0]};
    const std::uint64_t mapBytes =
        header.hasColourMap ? std::uint64_t{header.mapLength} * ((header.mapEntryBits + 7) / 8) : 0;
    if (!Holds(file, mapOffset, mapBytes)) {
        return std::nullopt;
    }

    Picture picture;
    picture.width = header.width;
    picture.height = header.height;
    picture.bitsPerPixel = colourMapped ? 8 : 32;
    if (colourMapped) {
        auto table = ReadColourTable(header, file.subspan(mapOffset, mapBytes));
        if (!table) {
            return std::nullopt;
        }
        picture.colourTable = std::move(*table);
    }

    const std::uint32_t pixelBytes = header.pixelBits / 8;
    auto pixels = ReadPixelData(file.subspan(mapOffset + mapBytes),
                                std::uint64_t{header.width} * header.height, pixelBytes,
                                (header.imageType & kRunLengthBit) != 0);
    if (!pixels) {
        return std::nullopt;
    }
    if (header.descriptor & kTopToBottom) {
        FlipRowsInPlace(*pixels, std::size_t{header.width} * pixelBytes);
    }
    picture.pixels = pixelBytes == 3 ? OpaqueFromBgr(*pixels) : std::move(*pixels);
    return picture;
}

std::optional<EncodedFile> EncodeTarga(Picture picture) {
    constexpr std::uint32_t kMaxSide = std::numeric_limits<std::uint16_t>::max();
    const bool colourMapped = picture.bitsPerPixel == 8;
    const std::size_t mapEntries = colourMapped ? picture.colourTable.size() / 4 : 0;
    if (picture.width > kMaxSide || picture.height > kMaxSide ||
        (colourMapped && (mapEntries == 0 || mapEntries > kMaxSide))) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> file;
    file.reserve(kHeaderSize + mapEntries * 4);
    file.push_back(0);  // no identification field
    file.push_back(colourMapped ? 1 : 0);
    file.push_back(colourMapped ? kColourMapped : kTrueColour);
    AppendLe16(file, 0);  // first map entry
    AppendLe16(file, static_cast<std::uint16_t>(mapEntries));
    file.push_back(colourMapped ? 32 : 0);
    AppendLe16(file, 0);  // x origin
    AppendLe16(file, 0);  // y origin
    AppendLe16(file, static_cast<std::uint16_t>(picture.width));
    AppendLe16(file, static_cast<std::uint16_t>(picture.height));
    file.push_back(colourMapped ? 8 : 32);
    file.push_back(colourMapped ? 0 : kEightAlphaBits);  // bottom-left origin
    file.insert(file.end(), picture.colourTable.begin(),
                picture.colourTable.begin() + mapEntries * 4);
    return EncodedFile{std::move(file), std::move(picture.pixels)};
}

}  // namespace tinplate
