// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>

#include "RgbaImage.h"

// Chooses at most `maxColours` (1 to 256) palette entries for an image that holds more
// colours, and gives every pixel the nearest entry. The one place a better quantiser plugs in:
// callers rely only on this contract.
IndexedImage ReduceColours(const RgbaImage& image, std::size_t maxColours);
