// SPDX-License-Identifier: GPL-3.0-or-later
// What each platform's games accept as texture sides.
#pragma once

#include <cstdint>
#include <optional>

namespace tinplate {

struct PlatformLimits {
    std::uint32_t platform;
    std::uint32_t maxSide;
    // Uncompressed textures are stored swizzled, which needs sides that are powers of two.
    bool swizzlesUncompressed;
};

// Empty for a platform id the program does not know.
std::optional<PlatformLimits> LimitsOfPlatform(std::uint32_t platform);

}  // namespace tinplate
