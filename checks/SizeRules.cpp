// SPDX-License-Identifier: GPL-3.0-or-later
// Sides and level counts against what the platform and the block formats take.
#include <algorithm>
#include <bit>

#include "checks/LintContext.h"
#include "checks/LintRules.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

std::string SidesText(const TextureRecord& r) {
    return std::to_string(r.width) + " x " + std::to_string(r.height);
}

std::vector<FindingValue> Sides(const TextureRecord& r) {
    return {{"width", r.width}, {"height", r.height}};
}

// Levels from the first down to the platform's smallest (1 x 1 on most).
int FullChain(const TextureRecord& r) {
    return static_cast<int>(LayoutOf(r).FullChain(r.width, r.height));
}

}  // namespace

void CheckSizes(const LintedTexture& texture, std::span<const StoredLevel> levels,
                FindingList& findings) {
    const TextureRecord& r = texture.entry->record;
    const PlatformLayout* layout = FindLayout(r.platform);
    if (!std::has_single_bit(r.width) || !std::has_single_bit(r.height)) {
        if (layout != nullptr && layout->NeedsPowerOfTwoSides(r)) {
            findings.Add(&texture, rule::kSwizzleSize,
                         "the sides (" + SidesText(r) + ") are not powers of two, so " +
                             PlatformText(r.platform) + " cannot swizzle this uncompressed texture",
                         Sides(r));
        } else {
            findings.Add(&texture, rule::kPowerOfTwo,
                         "the sides (" + SidesText(r) + ") are not powers of two", Sides(r));
        }
    }
    if (layout != nullptr && std::max(r.width, r.height) > layout->MaximumSide()) {
        std::vector<FindingValue> values = Sides(r);
        values.push_back({"maximum", layout->MaximumSide()});
        findings.Add(&texture, rule::kMaxSize,
                     "the sides (" + SidesText(r) + ") are longer than " +
                         PlatformText(r.platform) + "'s maximum of " +
                         std::to_string(layout->MaximumSide()),
                     std::move(values));
    }
    if (IsBlockCompressed(r) && (r.width % 4 != 0 || r.height % 4 != 0)) {
        findings.Add(&texture, rule::kDxtSize,
                     "the sides (" + SidesText(r) + ") are not multiples of 4, the DXT block size",
                     Sides(r));
    }
    if (const std::string limit = LayoutOf(r).UploadLimit(r); !limit.empty()) {
        findings.Add(&texture, rule::kUploadSize, limit, Sides(r));
    }
    if (r.width == 0 || r.height == 0) {
        return;
    }
    const int announced = static_cast<std::uint16_t>(r.mipCount);
    const int full = FullChain(r);
    if (announced != 1 && announced != full) {
        findings.Add(&texture, rule::kMipCount,
                     std::to_string(announced) + " levels: neither 1 nor the full chain of " +
                         std::to_string(full),
                     {{"levels", announced}, {"full_chain", full}});
    }
    const auto expected = static_cast<std::size_t>(std::clamp(announced, 1, full));
    if (!levels.empty() && levels.size() < expected) {
        findings.Add(&texture, rule::kLevelsMissing,
                     "the header announces " + std::to_string(expected) + " levels, " +
                         std::to_string(levels.size()) + " are stored",
                     {{"levels", static_cast<std::int64_t>(expected)},
                      {"stored", static_cast<std::int64_t>(levels.size())}});
    }
}

}  // namespace tinplate
