// SPDX-License-Identifier: GPL-3.0-or-later
// The table of platform limits.
#include "checks/PlatformLimits.h"

#include "txd/PlatformLayout.h"

namespace tinplate {

std::optional<PlatformLimits> LimitsOfPlatform(std::uint32_t platform) {
    const PlatformFacts* facts = FindPlatform(platform);
    if (facts == nullptr) {
        return std::nullopt;
    }
    return PlatformLimits{platform, facts->maxSide, facts->powerOfTwoSides};
}

}  // namespace tinplate
