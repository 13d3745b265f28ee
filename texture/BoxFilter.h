// SPDX-License-Identifier: GPL-3.0-or-later
// Scaling an RGBA picture with a box filter.
#pragma once

#include <cstdint>

#include "texture/RgbaImage.h"

namespace tinplate {

// `image` scaled to width x height with a box filter (stb_image_resize): every pixel the
// mean of the area it covers, each channel alike, alpha not weighted in.
RgbaImage BoxFilter(const RgbaImage& image, std::uint32_t width, std::uint32_t height);

}  // namespace tinplate
