// SPDX-License-Identifier: GPL-3.0-or-later
// The table of platform limits.
#include "PlatformLimits.h"

namespace tinplate {

namespace {

constexpr PlatformLimits kPlatforms[] = {
    {5, 1024, true},
    {8, 4096, false},
    {9, 4096, false},
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
