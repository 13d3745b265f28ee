// SPDX-License-Identifier: GPL-3.0-or-later
// Building bitmaps, Targa and DDS files for the image library tests.
#include "tests/imagelibs/ImageFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "fileio/ByteOrder.h"
#include "tests/support/TestSupport.h"
#include "workfiles/DdsFile.h"

namespace tinplate {

Bytes PatternBytes(std::size_t count, std::uint32_t seed) {
    Bytes bytes(count);
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& byte : bytes) {
        state = state * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(state >> 24);
    }
    return bytes;
}

Bytes WorkingBitmap(std::uint32_t width, std::uint32_t height, int bitsPerPixel,
                    std::span<const std::uint8_t> colourTable,
                    std::span<const std::uint8_t> pixels) {
    const auto pixelOffset = static_cast<std::uint32_t>(54 + colourTable.size());
    Bytes file{'B', 'M'};
    AppendLe32(file, pixelOffset + static_cast<std::uint32_t>(pixels.size()));
    AppendLe32(file, 0);
    AppendLe32(file, pixelOffset);
    AppendLe32(file, 40);
    AppendLe32(file, width);
    AppendLe32(file, height);
    AppendLe16(file, 1);
    AppendLe16(file, static_cast<std::uint16_t>(bitsPerPixel));
    file.resize(54, 0);
    file.insert(file.end(), colourTable.begin(), colourTable.end());
    file.insert(file.end(), pixels.begin(), pixels.end());
    return file;
}

Bitmap ReadBitmapFile(const std::string& path) {
    const Bytes file = ReadBytes(path);
    if (file.size() < 54 || ReadLe32(file, 10) < 54 || ReadLe32(file, 10) > file.size()) {
        ADD_FAILURE() << path << " is no bitmap";
        return {};
    }
    const auto pixelsAt = file.begin() + ReadLe32(file, 10);
    return {ReadLe32(file, 18),
            ReadLe32(file, 22),
            ReadLe32(file, 10),
            ReadLe16(file, 28),
            Bytes(file.begin() + 54, pixelsAt),
            Bytes(pixelsAt, file.end())};
}

Bytes BlockDds(std::uint32_t width, std::uint32_t height, std::int32_t compression,
               std::span<const std::uint8_t> blocks) {
    TextureRecord record;
    record.width = width;
    record.height = height;
    record.compression = compression;
    const auto header = DdsHeaderFor(record);
    Bytes file(header.begin(), header.end());
    file.insert(file.end(), blocks.begin(), blocks.end());
    return file;
}

Bytes SmallTarga(std::uint8_t type, std::uint8_t pixelBits, std::uint8_t mapEntryBits) {
    const std::size_t pixelBytes = pixelBits / 8;
    const bool mapped = (type & 7) == 1;
    Bytes file = {0, static_cast<std::uint8_t>(mapped ? 1 : 0), type};
    AppendLe16(file, 0);
    AppendLe16(file, mapped ? 4 : 0);
    file.push_back(mapped ? mapEntryBits : 0);
    AppendLe32(file, 0);
    AppendLe16(file, 4);
    AppendLe16(file, 2);
    file.push_back(pixelBits);
    file.push_back(0x20);  // top-left origin
    if (mapped) {
        const Bytes map = PatternBytes(4 * mapEntryBits / 8, 4);
        file.insert(file.end(), map.begin(), map.end());
    }
    Bytes pixels = PatternBytes(8 * pixelBytes, 5);
    if (mapped) {
        for (auto& index : pixels) {
            index %= 4;
        }
    }
    for (std::size_t row = 0; row < 2; ++row) {
        const auto first = pixels.begin() + row * 4 * pixelBytes;
        if (type & 8) {
            file.push_back(0x80);  // a run of one pixel
            file.insert(file.end(), first, first + pixelBytes);
            file.push_back(2);  // three literal pixels
            file.insert(file.end(), first + pixelBytes, first + 4 * pixelBytes);
        } else {
            file.insert(file.end(), first, first + 4 * pixelBytes);
        }
    }
    return file;
}

}  // namespace tinplate
