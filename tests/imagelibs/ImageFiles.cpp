// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImageFiles.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

#include "ByteOrder.h"
#include "MwDds.h"
#include "TestSupport.h"

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

Bytes BlockDds(std::uint32_t width, std::uint32_t height, const char* fourCc,
               std::span<const std::uint8_t> blocks) {
    Bytes file{'D', 'D', 'S', ' '};
    AppendLe32(file, 124);
    AppendLe32(file, 0x1007);
    AppendLe32(file, height);
    AppendLe32(file, width);
    file.resize(76, 0);
    AppendLe32(file, 32);
    AppendLe32(file, 4);
    file.insert(file.end(), fourCc, fourCc + 4);
    file.resize(108, 0);
    AppendLe32(file, 0x1000);
    file.resize(128, 0);
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

Bytes FlipRows(std::span<const std::uint8_t> bytes, std::size_t rowBytes) {
    Bytes flipped;
    for (std::size_t end = bytes.size(); end >= rowBytes && rowBytes > 0; end -= rowBytes) {
        flipped.insert(flipped.end(), bytes.begin() + (end - rowBytes), bytes.begin() + end);
    }
    return flipped;
}

Bytes BgraToRgba(std::span<const std::uint8_t> bgra) {
    Bytes rgba(bgra.begin(), bgra.end());
    for (std::size_t i = 0; i + 4 <= rgba.size(); i += 4) {
        std::swap(rgba[i], rgba[i + 2]);
    }
    return rgba;
}

Bytes MagickRgba(const std::string& path) {
    const std::string command =
        "convert '" + path + "' -auto-orient -depth 8 rgba:magick.rgba 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("ImageMagick cannot read " + path);
    }
    Bytes rgba = ReadBytes("magick.rgba");
    std::remove("magick.rgba");
    return rgba;
}

std::intptr_t ImageLibraries::Block() {
    m_block.Clear();
    return m_block.word();
}

std::intptr_t ImageLibraries::AnyToBmps(const std::string& dds, const std::string& bmp) {
    return m_gfx._anytobmps(NameBuffer(dds).word(), NameBuffer(bmp).word(), Block(), 0, 0);
}

void ImageLibraries::BmpResize(const std::string& src, const std::string& dst, std::intptr_t width,
                               std::intptr_t height) {
    NameBuffer source(src);
    NameBuffer destination(dst);
    m_gfx._bmpresize(source.word(), src == dst ? source.word() : destination.word(), Block(), width,
                     height);
}

std::intptr_t ImageLibraries::BmpToAnys(const std::string& bmp, const std::string& tgaBase) {
    return m_gfx._bmptoanys(NameBuffer(bmp).word(), NameBuffer(tgaBase).word(), Block(), 24, 0);
}

std::intptr_t ImageLibraries::TargaFromDds(const std::string& tga, const std::string& dds) {
    return m_gfx._TargaFromDDS(NameBuffer(tga).word(), NameBuffer(dds).word(), Block());
}

std::intptr_t ImageLibraries::TargaToExtendedBitmap(const std::string& tga,
                                                    const std::string& bmp) {
    return m_gfx._TargaToExtendedBitmap(NameBuffer(tga).word(), NameBuffer(bmp).word(), Block(),
                                        20);
}

std::intptr_t ImageLibraries::TgaToDds(const std::string& tga, std::intptr_t alphaMode,
                                       const std::string& dds) {
    return TGAtoDDS(NameBuffer(tga).word(), alphaMode, 0, 0, NameBuffer(dds).word());
}

std::intptr_t ImageLibraries::TgaCompressBmp(const std::string& tga, const std::string& bmp) {
    return TGAcompressBMP(NameBuffer(tga).word(), 17, 0, 0, NameBuffer(bmp).word());
}
