// SPDX-License-Identifier: GPL-3.0-or-later
// DXT block data sizes and decoding, whole or row by row.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tinplate {

enum class DxtKind { kDxt1, kDxt3, kDxt5 };

// Bytes of block data for a width × height image: one block per started 4 × 4 tile.
std::uint64_t DxtDataSize(DxtKind kind, std::uint32_t width, std::uint32_t height);

// Decodes DxtDataSize(kind, width, height) bytes of `blocks` into B, G, R, A pixels, rows in
// the reverse of the blocks' order (bottom-up, as pictures keep them). The caller has checked
// the size and the decoded limit.
std::vector<std::uint8_t> DecodeDxt(DxtKind kind, std::uint32_t width, std::uint32_t height,
                                    std::span<const std::uint8_t> blocks);

// The same for image rows [firstRow, firstRow + rowCount) only (`firstRow` a multiple of 4,
// the rows within the image), into `out`, which holds exactly those rows, the last one first.
void DecodeDxtRows(DxtKind kind, std::uint32_t width, std::span<const std::uint8_t> blocks,
                   std::uint32_t firstRow, std::uint32_t rowCount, std::span<std::uint8_t> out);

}  // namespace tinplate
