// SPDX-License-Identifier: GPL-3.0-or-later
// A texture's new palette and first level taken from an image library's file.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// A texture's new palette and first level, taken from an image file and checked against the
// texture, not yet applied: an import changes the texture only once everything has passed.
struct ImportedLevel {
    ByteBuffer palette;
    ByteBuffer pixels;
};

// Where the image library's bitmap keeps what an import takes from it.
struct BitmapLayout {
    std::uint32_t paletteAt;  // the palette, then the pixels right behind it
    std::uint16_t bitsPerPixel;
};

// Takes `paletteSize` bytes from layout.paletteAt and `pixelSize` bytes behind them out of
// the bitmap `bitmapName` that the image library made from the user's file `chosenFile`.
// Refused (FileError naming `chosenFile`) unless it is a bitmap of the texture's width,
// height and bit depth whose pixels start right behind a colour table of the palette's size,
// and it holds every byte to be taken.
ImportedLevel TakeFromBitmap(std::span<const std::uint8_t> bitmap, const std::string& bitmapName,
                             const BitmapLayout& layout, const TextureRecord& record,
                             const std::string& chosenFile);

// Takes `pixelSize` bytes from offset 128 of the DDS file `fileName`. Refused (FileError)
// unless it is a DDS of the texture's width, height and FourCC holding every byte to be taken.
ImportedLevel TakeFromDds(std::span<const std::uint8_t> dds, const TextureRecord& record,
                          const std::string& fileName);

// Hands the new bytes to the texture; cannot fail.
void ApplyImportedLevel(ImportedLevel& level, TextureRecord& record) noexcept;

}  // namespace tinplate
