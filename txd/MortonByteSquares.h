// SPDX-License-Identifier: GPL-3.0-or-later
// One-byte texels between row order and swizzled order in squares of 16 x 16, with SSE2.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__SSE2__)
namespace tinplate {

// One-byte texels in squares of 16 x 16 with SSE2, every row of a square one 16-byte store or
// load: a square is 256 consecutive sequence bytes, four 8 x 8 tiles in Morton order, each of
// four 4 x 4 blocks in Morton order, each of four 2 x 2 leaves.
void UnswizzleByteSquare(const std::uint8_t* sequence, std::uint8_t* linear, std::size_t pitch);
void SwizzleByteSquare(const std::uint8_t* linear, std::uint8_t* sequence, std::size_t pitch);

}  // namespace tinplate
#endif
