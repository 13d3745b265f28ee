// SPDX-License-Identifier: GPL-3.0-or-later
// PS2 levels and palettes between their stored form and the form records hold.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "txd/Ps2Raster.h"

namespace tinplate::ps2 {

// The unit (byte of 8-bit, nibble of 4-bit indices) texel (x, y) of a swizzled index level
// `transferWidth` units wide is stored at.
std::uint32_t SwizzledIndexOffset(std::uint32_t x, std::uint32_t y, std::uint32_t transferWidth);

// The stored palette slot of palette entry `index` (CSM1: bits 3 and 4 exchanged).
inline std::uint32_t Csm1Slot(std::uint32_t index) {
    return (index & ~0x18u) | ((index & 0x08u) << 1) | ((index & 0x10u) >> 1);
}

// Stored alpha (0 to 128) as 0 to 255, and back. Values above 128 wrap as the platform's
// library wraps them. Going back, a texel whose stored alpha already gives `alpha` keeps it, so
// that writing back what was read changes nothing.
inline std::uint8_t FullAlpha(std::uint8_t stored) {
    return static_cast<std::uint8_t>(stored * 255u / kOpaqueAlpha);
}
inline std::uint8_t StoredAlpha(std::uint8_t alpha, std::uint8_t old) {
    return FullAlpha(old) == alpha ? old : static_cast<std::uint8_t>(alpha * kOpaqueAlpha / 255u);
}

// The record holds a level top row first, unswizzled: 8-bit indices one byte a texel, 4-bit
// indices two a byte (the even texel in the low nibble, rows rounded up to whole bytes), 8888
// as B, G, R, A with alpha 0 to 255, 1555 with blue in the low bits; palettes B, G, R, A in
// index order.
std::uint64_t RecordLevelBytes(Kind kind, std::uint32_t width, std::uint32_t height);

// A stored level (its transfer rectangle) in the record's form.
std::vector<std::uint8_t> LevelFromStored(Kind kind, std::span<const std::uint8_t> stored,
                                          std::uint32_t width, std::uint32_t height,
                                          const Transfer& transfer);
// A level of the record put into `stored`, which holds the level's old stored bytes (or
// zeros): texels outside the picture keep what they were.
void LevelToStored(Kind kind, std::span<const std::uint8_t> level, std::uint32_t width,
                   std::uint32_t height, const Transfer& transfer, std::span<std::uint8_t> stored);

// The palette's entries (256 or 16) in the record's form, and back into `stored` (old bytes or
// zeros; slots past the entries are left alone).
std::vector<std::uint8_t> PaletteFromStored(Kind kind, std::span<const std::uint8_t> stored);
void PaletteToStored(Kind kind, std::span<const std::uint8_t> palette,
                     std::span<std::uint8_t> stored);

// A level of the record as the platform's library converts it to R, G, B, A: 5-bit channels
// scaled down (floor), alpha as FullAlpha.
std::vector<std::uint8_t> LibraryRgba(Kind kind, std::span<const std::uint8_t> level,
                                      std::span<const std::uint8_t> palette, std::uint32_t width,
                                      std::uint32_t height);

}  // namespace tinplate::ps2
