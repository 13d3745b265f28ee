// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds, header fields, mip chain and transfer rectangles of PS2 rasters.
#include "txd/Ps2Raster.h"

#include <algorithm>

#include "fileio/ByteOrder.h"

namespace tinplate::ps2 {

namespace {

constexpr std::array<KindRow, 4> kRows = {{
    {Kind::kPal8, Psm::kT8, 8, 0x2500, 256},
    {Kind::kPal4, Psm::kT4, 4, 0x4500, 16},
    {Kind::kRgba8888, Psm::kCt32, 32, 0x0500, 0},
    {Kind::kRgba1555, Psm::kCt16s, 16, 0x0100, 0},
}};

std::uint64_t Le64(std::span<const std::uint8_t> bytes, std::size_t at) {
    return ReadLe32(bytes, at) | std::uint64_t{ReadLe32(bytes, at + 4)} << 32;
}

}  // namespace

const KindRow& RowOf(Kind kind) {
    return kRows[static_cast<std::size_t>(kind)];
}

std::optional<Kind> KindOfRaster(std::uint16_t formatWord, std::int32_t depth) {
    const std::uint16_t bits = formatWord & ~(kMipBit | kRasterTypeBits);
    for (const KindRow& row : kRows) {
        if (row.formatBits == bits && static_cast<std::int32_t>(row.depth) == depth) {
            return row.kind;
        }
    }
    return std::nullopt;
}

RasterHeader ParseRasterHeader(std::span<const std::uint8_t> b) {
    RasterHeader h;
    h.width = static_cast<std::int32_t>(ReadLe32(b, 0));
    h.height = static_cast<std::int32_t>(ReadLe32(b, 4));
    h.depth = static_cast<std::int32_t>(ReadLe32(b, 8));
    h.format = ReadLe16(b, 12);
    h.version = static_cast<std::int16_t>(ReadLe16(b, 14));
    h.tex0 = Le64(b, 16);
    h.paletteBase = ReadLe32(b, 24);
    h.tex1Low = ReadLe32(b, 28);
    h.miptbp1 = Le64(b, 32);
    h.miptbp2 = Le64(b, 40);
    h.pixelAreaSize = ReadLe32(b, 48);
    h.paletteAreaSize = ReadLe32(b, 52);
    h.totalSize = ReadLe32(b, 56);
    h.mipmapKL = ReadLe32(b, 60);
    return h;
}

std::array<std::uint8_t, kRasterHeaderSize> RasterHeaderBytes(const RasterHeader& h) {
    std::array<std::uint8_t, kRasterHeaderSize> b{};
    const auto le64 = [&b](std::size_t at, std::uint64_t value) {
        WriteLe32(b, at, static_cast<std::uint32_t>(value));
        WriteLe32(b, at + 4, static_cast<std::uint32_t>(value >> 32));
    };
    WriteLe32(b, 0, static_cast<std::uint32_t>(h.width));
    WriteLe32(b, 4, static_cast<std::uint32_t>(h.height));
    WriteLe32(b, 8, static_cast<std::uint32_t>(h.depth));
    WriteLe32(b, 12, h.format | std::uint32_t{static_cast<std::uint16_t>(h.version)} << 16);
    le64(16, h.tex0);
    WriteLe32(b, 24, h.paletteBase);
    WriteLe32(b, 28, h.tex1Low);
    le64(32, h.miptbp1);
    le64(40, h.miptbp2);
    WriteLe32(b, 48, h.pixelAreaSize);
    WriteLe32(b, 52, h.paletteAreaSize);
    WriteLe32(b, 56, h.totalSize);
    WriteLe32(b, 60, h.mipmapKL);
    return b;
}

std::uint32_t ChainLength(std::uint32_t width, std::uint32_t height, bool mips) {
    if (!mips) {
        return 1;
    }
    std::uint32_t levels = 1;
    while (levels < kMaxChainLevels && (width >> levels) >= 8 && (height >> levels) >= 8) {
        ++levels;
    }
    return levels;
}

std::uint32_t LibraryVersion(std::uint32_t word) {
    if ((word & 0xFFFF0000u) == 0) {
        return word << 8;
    }
    return (((word >> 14) & 0x3FF00u) + 0x30000u) | ((word >> 16) & 0x3Fu);
}

Transfer TransferOf(Kind kind, std::uint32_t width, std::uint32_t height, bool swizzlePal4) {
    Transfer t;
    std::uint32_t minW = 0;
    std::uint32_t minH = 1;
    switch (kind) {
        case Kind::kRgba8888:
            minW = 2;
            break;
        case Kind::kRgba1555:
            minW = 4;
            break;
        case Kind::kPal8:
            minW = 16;
            minH = 4;
            t.swizzled = true;
            break;
        case Kind::kPal4:
            t.swizzled = swizzlePal4;
            minW = swizzlePal4 ? 32 : 8;
            minH = swizzlePal4 ? 4 : 1;
            break;
    }
    t.width = std::max(width, minW);
    t.height = std::max(height, minH);
    const std::uint64_t bytes = std::uint64_t{t.width} * t.height * RowOf(kind).depth / 8;
    t.bytes = static_cast<std::uint32_t>((bytes + 15) & ~std::uint64_t{15});
    return t;
}

}  // namespace tinplate::ps2
