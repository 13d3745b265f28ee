// SPDX-License-Identifier: GPL-3.0-or-later
// Bounds checks and little-endian fields for the image libraries' parsers.
#pragma once

#include <cstdint>
#include <span>

#include "fileio/ByteOrder.h"

namespace tinplate {

// True when `size` bytes from `offset` lie inside `bytes`; callers check before they read.
inline bool Holds(std::span<const std::uint8_t> bytes, std::uint64_t offset, std::uint64_t size) {
    return offset <= bytes.size() && size <= bytes.size() - offset;
}

}  // namespace tinplate
