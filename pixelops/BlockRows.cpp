// SPDX-License-Identifier: GPL-3.0-or-later
// Block sizes, and mirroring the pixel rows inside one block.
#include "pixelops/BlockRows.h"

#include <utility>

#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

namespace {

// Every kind ends with an 8-byte colour part: two end points, then one byte of 2-bit indices
// per pixel row.
constexpr std::size_t kColourIndexOffset = 4;

// Interpolated alpha: two end points, then 16 indices of 3 bits in a 48-bit little-endian
// field, 12 bits per pixel row.
constexpr std::size_t kAlphaIndexOffset = 2;
constexpr std::size_t kAlphaIndexBytes = 6;
constexpr std::uint32_t kAlphaRowBits = 12;
constexpr std::uint64_t kAlphaRowMask = (std::uint64_t{1} << kAlphaRowBits) - 1;

void SwapColourRows(std::uint8_t* colour, std::uint32_t a, std::uint32_t b) {
    std::swap(colour[kColourIndexOffset + a], colour[kColourIndexOffset + b]);
}

// Explicit alpha: 4 bits per pixel, two bytes per pixel row.
void SwapExplicitAlphaRows(std::uint8_t* alpha, std::uint32_t a, std::uint32_t b) {
    std::swap(alpha[2 * a], alpha[2 * b]);
    std::swap(alpha[2 * a + 1], alpha[2 * b + 1]);
}

void SwapInterpolatedAlphaRows(std::uint8_t* alpha, std::uint32_t a, std::uint32_t b) {
    std::uint8_t* field = alpha + kAlphaIndexOffset;
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < kAlphaIndexBytes; ++i) {
        bits |= std::uint64_t{field[i]} << (8 * i);
    }
    const std::uint64_t rowA = (bits >> (kAlphaRowBits * a)) & kAlphaRowMask;
    const std::uint64_t rowB = (bits >> (kAlphaRowBits * b)) & kAlphaRowMask;
    bits &= ~((kAlphaRowMask << (kAlphaRowBits * a)) | (kAlphaRowMask << (kAlphaRowBits * b)));
    bits |= (rowA << (kAlphaRowBits * b)) | (rowB << (kAlphaRowBits * a));
    for (std::size_t i = 0; i < kAlphaIndexBytes; ++i) {
        field[i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
}

void SwapRows(std::uint8_t* block, std::int32_t compression, std::uint32_t a, std::uint32_t b) {
    switch (compression) {
        case compression::kDxt1:
            SwapColourRows(block, a, b);
            break;
        case compression::kDxt3:
            SwapExplicitAlphaRows(block, a, b);
            SwapColourRows(block + 8, a, b);
            break;
        case compression::kDxt5:
            SwapInterpolatedAlphaRows(block, a, b);
            SwapColourRows(block + 8, a, b);
            break;
        default:
            break;
    }
}

}  // namespace

std::size_t BlockBytes(std::int32_t compression) {
    switch (compression) {
        case compression::kDxt1:
            return 8;
        case compression::kDxt3:
        case compression::kDxt5:
            return 16;
        default:
            return 0;
    }
}

void MirrorBlockRows(std::uint8_t* block, std::int32_t compression, std::uint32_t rows) {
    for (std::uint32_t top = 0, bottom = rows; top + 1 < bottom; ++top) {
        --bottom;
        SwapRows(block, compression, top, bottom);
    }
}

}  // namespace tinplate
