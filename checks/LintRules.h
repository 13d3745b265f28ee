// SPDX-License-Identifier: GPL-3.0-or-later
// The rules `lint` checks, each with the short name users ignore it by and its severity.
#pragma once

#include <span>
#include <string_view>

#include "checks/Finding.h"

namespace tinplate {

namespace rule {
inline constexpr std::string_view kNameEmpty = "name-empty";
inline constexpr std::string_view kNameLength = "name-length";
inline constexpr std::string_view kNameAscii = "name-ascii";
inline constexpr std::string_view kNameDuplicate = "name-duplicate";
inline constexpr std::string_view kSwizzleSize = "swizzle-size";
inline constexpr std::string_view kPowerOfTwo = "power-of-two";
inline constexpr std::string_view kMaxSize = "max-size";
inline constexpr std::string_view kDxtSize = "dxt-size";
inline constexpr std::string_view kUploadSize = "upload-size";
inline constexpr std::string_view kMipCount = "mip-count";
inline constexpr std::string_view kLevelsMissing = "levels-missing";
inline constexpr std::string_view kAlphaUnset = "alpha-unset";
inline constexpr std::string_view kAlphaUnused = "alpha-unused";
inline constexpr std::string_view kDxt1Alpha = "dxt1-alpha";
inline constexpr std::string_view kPaletteSize = "palette-size";
inline constexpr std::string_view kMipContent = "mip-content";
inline constexpr std::string_view kUnknownChunk = "unknown-chunk";
inline constexpr std::string_view kSizeRounded = "size-rounded";
inline constexpr std::string_view kTrailingBytes = "trailing-bytes";
inline constexpr std::string_view kTargetPlatform = "target-platform";
inline constexpr std::string_view kTargetVersion = "target-version";
inline constexpr std::string_view kTargets = "targets";
}  // namespace rule

struct LintRule {
    std::string_view name;
    Severity severity;
    std::string_view summary;  // for --help and the manual
};

// In the order findings of one texture are listed.
std::span<const LintRule> LintRules();

// nullptr for a name that is no rule.
const LintRule* FindLintRule(std::string_view name);

}  // namespace tinplate
