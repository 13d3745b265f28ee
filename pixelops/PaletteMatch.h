// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "RgbaImage.h"

// The image's own colours as the palette, in order of first use, when there are at most
// `maxColours` of them: no colour changes. Empty when there are more.
std::optional<IndexedImage> ExactPalette(const RgbaImage& image, std::size_t maxColours);

// Each pixel as the index of the palette entry (R, G, B, A) nearest to it, all four channels
// counting alike; the first of equally near entries wins.
std::vector<std::uint8_t> NearestIndices(const RgbaImage& image,
                                         std::span<const std::uint8_t> palette);
