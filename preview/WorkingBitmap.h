// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

#include "TextureRecord.h"

inline constexpr std::uint32_t kWorkingBitmapHeaderSize = 54;

// The bitmap handed to the image library: a 54-byte header, then the record's palette and
// pixels exactly as held (no row padding, no row or channel reordering, height positive).
// The only writer of such files in the program.
void WriteWorkingBitmap(const std::string& path, const TextureRecord& record,
                        std::uint16_t bitsPerPixel);
