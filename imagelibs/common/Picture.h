// SPDX-License-Identifier: GPL-3.0-or-later
// A decoded image as it travels between file formats, and its size limit.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tinplate {

// A decoded image as it travels between file formats: rows bottom-up (the first stored row
// is the bottom one), without row padding.
struct Picture {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // 8: one index per pixel into `colourTable`; 32: four bytes per pixel, B, G, R, A.
    int bitsPerPixel = 32;
    // Four bytes per entry, B, G, R, A. Used by 8-bit pictures only.
    std::vector<std::uint8_t> colourTable;
    std::vector<std::uint8_t> pixels;
};

// Nothing larger than this is decoded: a lying header must not make us allocate gigabytes.
inline constexpr std::uint64_t kMaxDecodedBytes = 256ull * 1024 * 1024;

// True when a width × height image at four bytes a pixel stays within kMaxDecodedBytes. An
// empty side counts as 1, so that an empty image still has sides of sane length.
bool FitsDecodedLimit(std::uint64_t width, std::uint64_t height);

// The picture's pixels as B, G, R, A; an index past the colour table gives transparent black.
std::vector<std::uint8_t> ExpandToBgra(const Picture& picture);

// Reverses the order of the rows of `pixels` without a second buffer.
void FlipRowsInPlace(std::span<std::uint8_t> pixels, std::size_t rowBytes);

// An image file as it is written: the header (with any colour table) made by an encoder, then
// the picture's own pixel buffer, moved rather than copied.
struct EncodedFile {
    std::vector<std::uint8_t> head;
    std::vector<std::uint8_t> body;
};

}  // namespace tinplate
