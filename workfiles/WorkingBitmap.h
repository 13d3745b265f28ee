// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmap working file handed to the image library.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "txd/TextureRecord.h"

namespace tinplate {

inline constexpr std::uint32_t kWorkingBitmapHeaderSize = 54;

// The bitmap handed to the image library: a 54-byte header, then the record's palette and
// pixels exactly as held (no row padding, no row or channel reordering, height positive).
// The only writer of such files in the program.
void WriteWorkingBitmap(const std::string& path, const TextureRecord& record,
                        std::uint16_t bitsPerPixel);

// The same bitmap of the picture the level shows, for the library to convert or display: rows
// from the bottom of the picture, as bitmaps hold them (the record's reversed where its layout
// stores them from the top).
void WritePictureBitmap(const std::string& path, const TextureRecord& record,
                        std::uint16_t bitsPerPixel);

// The header fields the program reads back from the bitmaps the image library makes.
struct BitmapHeader {
    std::uint32_t pixelOffset = 0;
    std::uint32_t infoSize = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;  // negative when the rows are stored top-down
    std::uint16_t bitsPerPixel = 0;
    std::uint32_t compression = 0;
};

// Nothing for a file shorter than the 54-byte header or without the "BM" mark; the fields
// themselves are the caller's to check. The only reader of bitmap headers in the program.
std::optional<BitmapHeader> ReadBitmapHeader(std::span<const std::uint8_t> file);

}  // namespace tinplate
