// SPDX-License-Identifier: GPL-3.0-or-later
// DirectDraw Surface files: the first level of a 2D texture.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "imagelibs/common/DxtBlocks.h"
#include "imagelibs/common/Picture.h"

namespace tinplate {

// DirectDraw Surface files: the first level of a 2D texture.

// A block-compressed DDS file's picture where it lies in the file.
struct DxtImage {
    DxtKind kind = DxtKind::kDxt1;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::span<const std::uint8_t> blocks;  // holds DxtDataSize(kind, width, height) bytes at least
};

// The DXT1, DXT3 or DXT5 picture of a file that ParseDds reads; empty for anything else.
std::optional<DxtImage> ViewDxt(std::span<const std::uint8_t> file);

// Reads DXT1, DXT3 and DXT5 blocks and uncompressed 32-bit pixels whose channels each fill one
// byte, as a 32-bit picture. Without an alpha mask the fourth byte is kept as stored, so that
// a file written by EncodeDds comes back unchanged. Empty for anything else, a side of 0
// included.
std::optional<Picture> ParseDds(std::span<const std::uint8_t> file);

// Writes a 32-bit picture uncompressed, rows top-down: A8R8G8B8 when `withAlpha`, otherwise
// X8R8G8B8 (the fourth byte is still stored as it is).
EncodedFile EncodeDds(Picture picture, bool withAlpha);

}  // namespace tinplate
