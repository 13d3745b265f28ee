// SPDX-License-Identifier: GPL-3.0-or-later
// The table of platform limits.
#include "checks/PlatformLimits.h"

#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr PlatformLimits kPlatforms[] = {
    {platform::kPlatform5, 1024, true},
    {platform::kD3d8, 4096, false},
    {platform::kD3d9, 4096, false},
};

}  // namespace

std::optional<PlatformLimits> LimitsOfPlatform(std::uint32_t platform) {
    for (const PlatformLimits& limits : kPlatforms) {
        if (limits.platform == platform) {
            return limits;
        }
    }
    return std::nullopt;
}

}  // namespace tinplate
