// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzled (Morton) order of texels, and moving one level to and from it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace tinplate {

// Swizzled order: a square tile of side s (a power of two, at least 2) is stored as s x s
// texels in Morton order, the texel in column x and row y of the tile at sequence index m,
// where bit 2i of m is bit i of x and bit 2i + 1 of m is bit i of y.
//
// All offsets and indices below count texels of `texelBytes` bytes, not bytes:
//   tileStart  linear index of the tile's top-left texel (row * pitch + column),
//   side       the tile's side s,
//   pitch      texels per row of the linear image,
//   position   sequence index of the tile's first texel; advanced by s x s.
// The caller makes sure the tile and the s x s sequence texels lie inside both buffers.

// Reads the tile from the linear `source` and writes it in swizzled order into `destination`.
void SwizzleTile(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t& position,
                 std::uint32_t tileStart, std::uint32_t side, std::uint32_t pitch,
                 std::uint32_t texelBytes = 1);

// The exact inverse: reads s x s texels in swizzled order from `source` and writes the tile
// into the linear `destination`.
void UnswizzleTile(const std::uint8_t* source, std::uint8_t* destination, std::uint32_t& position,
                   std::uint32_t tileStart, std::uint32_t side, std::uint32_t pitch,
                   std::uint32_t texelBytes = 1);

// Whether ReorderLevel takes a level of `bytes` bytes and these sides.
bool IsReorderable(std::size_t bytes, std::uint32_t width, std::uint32_t height,
                   std::uint32_t texelBytes);

// One level of width x height texels of `texelBytes` bytes from `source` into `destination`
// (both exactly that large) in the other order: swizzled with `toSwizzled`, else into row
// order. A level one texel wide or high reads the same in both orders and is copied. False,
// and nothing written, for sides that are not powers of two or buffers of another size.
bool ReorderLevel(std::span<const std::uint8_t> source, std::span<std::uint8_t> destination,
                  std::uint32_t width, std::uint32_t height, std::uint32_t texelBytes,
                  bool toSwizzled);

}  // namespace tinplate
