// SPDX-License-Identifier: GPL-3.0-or-later
// The box filter through stb_image_resize.
#include "texture/BoxFilter.h"

#include <stb/stb_image_resize.h>

#include <stdexcept>

namespace tinplate {

RgbaImage BoxFilter(const RgbaImage& image, std::uint32_t width, std::uint32_t height) {
    RgbaImage scaled{width, height, std::vector<std::uint8_t>(std::size_t{width} * height * 4)};
    if (scaled.rgba.empty() || image.rgba.empty()) {
        return scaled;
    }
    if (stbir_resize_uint8_generic(image.rgba.data(), static_cast<int>(image.width),
                                   static_cast<int>(image.height), 0, scaled.rgba.data(),
                                   static_cast<int>(width), static_cast<int>(height), 0, 4,
                                   STBIR_ALPHA_CHANNEL_NONE, 0, STBIR_EDGE_CLAMP, STBIR_FILTER_BOX,
                                   STBIR_COLORSPACE_LINEAR, nullptr) == 0) {
        throw std::runtime_error("the picture could not be scaled");
    }
    return scaled;
}

}  // namespace tinplate
