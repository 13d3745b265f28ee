// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "GfxBinding.h"
#include "LibraryArgs.h"

using Bytes = std::vector<std::uint8_t>;

// Deterministic bytes that differ from position to position.
Bytes PatternBytes(std::size_t count, std::uint32_t seed);

// A bitmap as the editor writes its working files: 54-byte header, colour table, rows
// bottom-up and unpadded.
Bytes WorkingBitmap(std::uint32_t width, std::uint32_t height, int bitsPerPixel,
                    std::span<const std::uint8_t> colourTable,
                    std::span<const std::uint8_t> pixels);

// A one-level DDS with the header the editor writes for block-compressed textures.
Bytes BlockDds(std::uint32_t width, std::uint32_t height, const char* fourCc,
               std::span<const std::uint8_t> blocks);

// A 4 × 2 Targa with top-left origin, as other programs write them: colour-mapped (types 1 and
// 9) with a 4-entry map, or true colour (2 and 10). Run-length types pack each row as a run of
// its first pixel and three literal pixels. Pixels are PatternBytes(8 * pixelBits / 8, 5), taken
// modulo 4 as indices; the map is PatternBytes(4 * mapEntryBits / 8, 4).
Bytes SmallTarga(std::uint8_t type, std::uint8_t pixelBits, std::uint8_t mapEntryBits);

// Rows of `bytes` in the other vertical order.
Bytes FlipRows(std::span<const std::uint8_t> bytes, std::size_t rowBytes);

// B, G, R, A pixels as R, G, B, A.
Bytes BgraToRgba(std::span<const std::uint8_t> bgra);

// What ImageMagick reads from `path`: R, G, B, A, rows top-down, origin applied.
Bytes MagickRgba(const std::string& path);

// The two image libraries as the editor calls them: file names in name buffers and a freshly
// cleared work block, the mwgfx entry points late-bound through GfxBinding.
class ImageLibraries {
public:
    std::intptr_t AnyToBmps(const std::string& dds, const std::string& bmp);
    void BmpResize(const std::string& src, const std::string& dst, std::intptr_t width,
                   std::intptr_t height);
    std::intptr_t BmpToAnys(const std::string& bmp, const std::string& tgaBase);
    std::intptr_t TargaFromDds(const std::string& tga, const std::string& dds);
    std::intptr_t TargaToExtendedBitmap(const std::string& tga, const std::string& bmp);
    std::intptr_t TgaToDds(const std::string& tga, std::intptr_t alphaMode, const std::string& dds);
    std::intptr_t TgaCompressBmp(const std::string& tga, const std::string& bmp);

private:
    std::intptr_t Block();

    GfxBinding m_gfx;
    WorkBlock m_block;
};
