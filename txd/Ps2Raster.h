// SPDX-License-Identifier: GPL-3.0-or-later
// The raster of a PS2 texture: its kinds, its 64-byte header and the size of each level.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace tinplate::ps2 {

inline constexpr std::uint32_t kPlatformId = 0x00325350;
inline constexpr std::uint32_t kRasterHeaderSize = 64;
inline constexpr std::uint32_t kGifPacketSize = 80;
inline constexpr std::uint32_t kMaxChainLevels = 7;
// The stored alpha of an opaque texel or palette entry.
inline constexpr std::uint32_t kOpaqueAlpha = 128;
// Library versions up to this one store 4-bit indices unswizzled.
inline constexpr std::uint32_t kLastUnswizzledPal4Version = 0x31000;

// The GS pixel storage modes of the four kinds the platform holds.
enum class Psm : std::uint8_t { kCt32 = 0x00, kCt16s = 0x0A, kT8 = 0x13, kT4 = 0x14 };

enum class Kind { kPal8, kPal4, kRgba8888, kRgba1555 };

struct KindRow {
    Kind kind;
    Psm psm;
    std::uint32_t depth;
    std::uint16_t formatBits;  // of the raster format word, without the raster type and mip bit
    std::uint32_t paletteEntries;
};
const KindRow& RowOf(Kind kind);
// The kind a raster header's format word and depth name; empty for none the platform holds.
std::optional<Kind> KindOfRaster(std::uint16_t formatWord, std::int32_t depth);

inline constexpr std::uint16_t kMipBit = 0x8000;
inline constexpr std::uint16_t kRasterTypeBits = 0x7;

struct RasterHeader {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::int32_t depth = 0;
    std::uint16_t format = 0;
    std::int16_t version = 0;
    std::uint64_t tex0 = 0;
    std::uint32_t paletteBase = 0;
    std::uint32_t tex1Low = 0;
    std::uint64_t miptbp1 = 0;
    std::uint64_t miptbp2 = 0;
    std::uint32_t pixelAreaSize = 0;
    std::uint32_t paletteAreaSize = 0;
    std::uint32_t totalSize = 0;
    std::uint32_t mipmapKL = 0;
};
RasterHeader ParseRasterHeader(std::span<const std::uint8_t> bytes);
std::array<std::uint8_t, kRasterHeaderSize> RasterHeaderBytes(const RasterHeader& header);

// The levels a texture of these sides has: one without mip levels; with them, halving while
// both sides of the next level stay at least 8, at most seven levels.
std::uint32_t ChainLength(std::uint32_t width, std::uint32_t height, bool mips);

// Whether a dictionary of this library version swizzles 4-bit indices.
inline bool SwizzlesPal4(std::uint32_t libraryVersion) {
    return libraryVersion > kLastUnswizzledPal4Version;
}
// The library version a chunk's version word names.
std::uint32_t LibraryVersion(std::uint32_t versionWord);

// The rectangle a level's bytes cover: its sides raised to the kind's transfer minimum.
struct Transfer {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t bytes = 0;  // rounded up to 16
    bool swizzled = false;
};
Transfer TransferOf(Kind kind, std::uint32_t width, std::uint32_t height, bool swizzlePal4);

}  // namespace tinplate::ps2
