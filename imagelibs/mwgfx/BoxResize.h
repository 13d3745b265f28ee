// SPDX-License-Identifier: GPL-3.0-or-later
// Scaling bitmaps with an area filter.
#pragma once

#include <cstdint>
#include <optional>

#include "imagelibs/common/BitmapFormat.h"
#include "imagelibs/common/Picture.h"

namespace tinplate {

// Scales `source` to width × height with an area (box) filter: every target pixel is the
// mean colour of the source area it covers, weighted by coverage. Filtering works on colours,
// never on palette indices: an 8-bit source gives an 8-bit result with the source's colour
// table padded to 256 entries, each pixel the entry nearest (B, G, R and A alike) to its
// filtered colour; a 32-bit source gives a 32-bit result. A side of 0 gives an empty picture.
// Empty when the result would exceed the decoded limit or an empty source has to fill a
// non-empty target.
std::optional<Picture> BoxResize(const BitmapView& source, std::uint32_t width,
                                 std::uint32_t height);

}  // namespace tinplate
