// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "RgbaImage.h"

// Scales `source` with an area (box) filter: every target pixel is the mean of the source
// pixels it covers, weighted by how much of each it covers. Integer arithmetic throughout, so
// a result never depends on the machine. Both images have sides of at least 1.
RgbaImage BoxResample(const RgbaImage& source, std::uint32_t width, std::uint32_t height);

// `top` and every smaller level down to 1 x 1, each side halved and never below 1, each level
// filtered from the one before.
std::vector<RgbaImage> LevelChain(RgbaImage top);
