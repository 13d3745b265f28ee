// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "RgbaImage.h"

// `image` scaled to width x height with a box filter (stb_image_resize): every pixel the
// mean of the area it covers, each channel alike, alpha not weighted in.
RgbaImage BoxFilter(const RgbaImage& image, std::uint32_t width, std::uint32_t height);
