// SPDX-License-Identifier: GPL-3.0-or-later
// A picture ready for the screen, loaded from the image library's bitmap.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tinplate {

// A picture ready for the screen: rows top to bottom, each pixel 0xFFRRGGBB (always opaque:
// the editor shows colour, not transparency).
struct Image {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint32_t> pixels;
};

// Loads a bitmap as the editor and its image library write them: the colour table is what
// lies between byte 54 and the pixel offset, 8-bit rows are not padded, 32-bit rows are
// whole words. Nothing is returned for a file that is missing, not such a bitmap, or
// shorter than its header says.
std::optional<Image> LoadBitmapImage(const std::string& path);

}  // namespace tinplate
