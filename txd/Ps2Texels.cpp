// SPDX-License-Identifier: GPL-3.0-or-later
// The index swizzle, palette order, alpha scale and 1555 channel order of PS2 levels.
#include "txd/Ps2Texels.h"

#include <algorithm>

namespace tinplate::ps2 {

namespace {

constexpr std::uint32_t kEntryBytes = 4;

std::uint32_t RowBytes(Kind kind, std::uint32_t width) {
    return kind == Kind::kPal4 ? (width + 1) / 2 : width * RowOf(kind).depth / 8;
}

// The stored unit of texel (x, y): swizzled, or in rows of the transfer width.
std::uint32_t UnitOf(const Transfer& t, std::uint32_t x, std::uint32_t y) {
    return t.swizzled ? SwizzledIndexOffset(x, y, t.width) : y * t.width + x;
}

std::uint8_t ReadNibble(std::span<const std::uint8_t> bytes, std::uint32_t unit) {
    return (bytes[unit / 2] >> (unit % 2 * 4)) & 0xF;
}

void WriteNibble(std::span<std::uint8_t> bytes, std::uint32_t unit, std::uint8_t value) {
    const int shift = static_cast<int>(unit % 2 * 4);
    std::uint8_t& byte = bytes[unit / 2];
    byte = static_cast<std::uint8_t>((byte & ~(0xF << shift)) | (value & 0xF) << shift);
}

// 1555 with red in the low bits and with blue there are one exchange apart.
std::uint16_t SwapRedBlue(std::uint16_t word) {
    return static_cast<std::uint16_t>((word & 0x83E0) | (word & 0x1F) << 10 | (word >> 10 & 0x1F));
}

}  // namespace

std::uint32_t SwizzledIndexOffset(std::uint32_t x, std::uint32_t y, std::uint32_t w) {
    const std::uint32_t x2 = x ^ ((((y >> 1) ^ (y >> 2)) & 1) << 2);
    const std::uint32_t nx = (x2 & 7) | ((x2 >> 4) << 3);
    return (y >> 2) * 4 * w + (y & 1) * 2 * w + nx * 4 + ((x >> 3) & 1) * 2 + ((y >> 1) & 1);
}

std::uint64_t RecordLevelBytes(Kind kind, std::uint32_t width, std::uint32_t height) {
    return std::uint64_t{RowBytes(kind, width)} * height;
}

std::vector<std::uint8_t> LevelFromStored(Kind kind, std::span<const std::uint8_t> stored,
                                          std::uint32_t width, std::uint32_t height,
                                          const Transfer& t) {
    std::vector<std::uint8_t> level(RecordLevelBytes(kind, width, height));
    const std::uint32_t rowBytes = RowBytes(kind, width);
    for (std::uint32_t y = 0; y < height; ++y) {
        std::uint8_t* row = level.data() + std::size_t{y} * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x) {
            switch (kind) {
                case Kind::kPal8:
                    row[x] = stored[UnitOf(t, x, y)];
                    break;
                case Kind::kPal4:
                    row[x / 2] |= static_cast<std::uint8_t>(ReadNibble(stored, UnitOf(t, x, y))
                                                            << (x % 2 * 4));
                    break;
                case Kind::kRgba8888: {
                    const std::uint8_t* s = &stored[(std::size_t{y} * t.width + x) * 4];
                    std::uint8_t* d = row + std::size_t{x} * 4;
                    d[0] = s[2];
                    d[1] = s[1];
                    d[2] = s[0];
                    d[3] = FullAlpha(s[3]);
                    break;
                }
                case Kind::kRgba1555: {
                    const std::size_t at = (std::size_t{y} * t.width + x) * 2;
                    const std::uint16_t word =
                        SwapRedBlue(static_cast<std::uint16_t>(stored[at] | stored[at + 1] << 8));
                    row[x * 2] = static_cast<std::uint8_t>(word);
                    row[x * 2 + 1] = static_cast<std::uint8_t>(word >> 8);
                    break;
                }
            }
        }
    }
    return level;
}

void LevelToStored(Kind kind, std::span<const std::uint8_t> level, std::uint32_t width,
                   std::uint32_t height, const Transfer& t, std::span<std::uint8_t> stored) {
    const std::uint32_t rowBytes = RowBytes(kind, width);
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = level.data() + std::size_t{y} * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x) {
            switch (kind) {
                case Kind::kPal8:
                    stored[UnitOf(t, x, y)] = row[x];
                    break;
                case Kind::kPal4:
                    WriteNibble(stored, UnitOf(t, x, y),
                                static_cast<std::uint8_t>(row[x / 2] >> (x % 2 * 4)));
                    break;
                case Kind::kRgba8888: {
                    std::uint8_t* d = &stored[(std::size_t{y} * t.width + x) * 4];
                    const std::uint8_t* s = row + std::size_t{x} * 4;
                    d[0] = s[2];
                    d[1] = s[1];
                    d[2] = s[0];
                    d[3] = StoredAlpha(s[3], d[3]);
                    break;
                }
                case Kind::kRgba1555: {
                    const std::uint16_t word =
                        SwapRedBlue(static_cast<std::uint16_t>(row[x * 2] | row[x * 2 + 1] << 8));
                    const std::size_t at = (std::size_t{y} * t.width + x) * 2;
                    stored[at] = static_cast<std::uint8_t>(word);
                    stored[at + 1] = static_cast<std::uint8_t>(word >> 8);
                    break;
                }
            }
        }
    }
}

std::vector<std::uint8_t> PaletteFromStored(Kind kind, std::span<const std::uint8_t> stored) {
    const std::uint32_t entries = RowOf(kind).paletteEntries;
    std::vector<std::uint8_t> palette(std::size_t{entries} * kEntryBytes);
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint32_t slot = kind == Kind::kPal8 ? Csm1Slot(i) : i;
        const std::uint8_t* s = &stored[std::size_t{slot} * kEntryBytes];
        std::uint8_t* d = &palette[std::size_t{i} * kEntryBytes];
        d[0] = s[2];
        d[1] = s[1];
        d[2] = s[0];
        d[3] = FullAlpha(s[3]);
    }
    return palette;
}

void PaletteToStored(Kind kind, std::span<const std::uint8_t> palette,
                     std::span<std::uint8_t> stored) {
    const std::uint32_t entries = std::min<std::uint32_t>(
        RowOf(kind).paletteEntries, static_cast<std::uint32_t>(palette.size() / kEntryBytes));
    for (std::uint32_t i = 0; i < entries; ++i) {
        const std::uint32_t slot = kind == Kind::kPal8 ? Csm1Slot(i) : i;
        std::uint8_t* d = &stored[std::size_t{slot} * kEntryBytes];
        const std::uint8_t* s = &palette[std::size_t{i} * kEntryBytes];
        d[0] = s[2];
        d[1] = s[1];
        d[2] = s[0];
        d[3] = StoredAlpha(s[3], d[3]);
    }
}

std::vector<std::uint8_t> LibraryRgba(Kind kind, std::span<const std::uint8_t> level,
                                      std::span<const std::uint8_t> palette, std::uint32_t width,
                                      std::uint32_t height) {
    std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
    const std::uint32_t rowBytes = RowBytes(kind, width);
    const auto entry = [&](std::uint32_t index, std::uint8_t* out) {
        const std::size_t at = std::size_t{index} * kEntryBytes;
        if (at + kEntryBytes <= palette.size()) {
            out[0] = palette[at + 2];
            out[1] = palette[at + 1];
            out[2] = palette[at];
            out[3] = palette[at + 3];
        }
    };
    for (std::uint32_t y = 0; y < height; ++y) {
        const std::uint8_t* row = level.data() + std::size_t{y} * rowBytes;
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* out = &rgba[(std::size_t{y} * width + x) * 4];
            switch (kind) {
                case Kind::kPal8:
                    entry(row[x], out);
                    break;
                case Kind::kPal4:
                    entry((row[x / 2] >> (x % 2 * 4)) & 0xF, out);
                    break;
                case Kind::kRgba8888:
                    out[0] = row[x * 4 + 2];
                    out[1] = row[x * 4 + 1];
                    out[2] = row[x * 4];
                    out[3] = row[x * 4 + 3];
                    break;
                case Kind::kRgba1555: {
                    const std::uint32_t word = row[x * 2] | row[x * 2 + 1] << 8;
                    out[0] = static_cast<std::uint8_t>((word >> 10 & 0x1F) * 255 / 31);
                    out[1] = static_cast<std::uint8_t>((word >> 5 & 0x1F) * 255 / 31);
                    out[2] = static_cast<std::uint8_t>((word & 0x1F) * 255 / 31);
                    out[3] = (word & 0x8000) ? 255 : 0;
                    break;
                }
            }
        }
    }
    return rgba;
}

}  // namespace tinplate::ps2
