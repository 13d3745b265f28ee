// SPDX-License-Identifier: GPL-3.0-or-later
// What the texels say against the header: alpha, palette use, levels made from their
// neighbours.
#include <cmath>
#include <optional>

#include "checks/HalvingDeviation.h"
#include "checks/LintContext.h"
#include "checks/LintRules.h"
#include "checks/TexelScan.h"
#include "texture/LevelDecode.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

// Mean channel difference a level may have from its halved neighbour and still count as made
// from it: room for rounding, palette quantisation and block compression of both.
constexpr double kMadeFromNeighbour = 10;
constexpr unsigned kFewColours = 16;
constexpr std::uint32_t kFullPaletteBytes = 256 * 4;

// The level as four bytes a texel. 32-bit levels are used as stored: the comparison treats
// every channel alike, so the order of B, G, R and A does not matter.
struct LevelTexels {
    std::vector<std::uint8_t> decoded;
    TexelGrid grid;
};

LevelTexels TexelsOf(const TextureRecord& record, const StoredLevel& level) {
    LevelTexels texels;
    if (KindOf(record) == TextureKind::kRgba32) {
        texels.grid = {level.width, level.height, level.bytes};
        return texels;
    }
    RgbaImage image = DecodeGameLevel(record, level.bytes, level.width, level.height);
    texels.decoded = std::move(image.rgba);
    texels.grid = {level.width, level.height, texels.decoded};
    return texels;
}

void CheckLevelContents(const LintedTexture& texture, std::span<const StoredLevel> levels,
                        FindingList& findings) {
    const TextureRecord& r = texture.entry->record;
    if (levels.size() < 2) {
        return;
    }
    LevelTexels previous = TexelsOf(r, levels[0]);
    for (std::size_t i = 1; i < levels.size(); ++i) {
        LevelTexels current = TexelsOf(r, levels[i]);
        const double deviation = HalvingDeviation(previous.grid, current.grid);
        if (deviation > kMadeFromNeighbour) {
            const auto mean = static_cast<std::int64_t>(std::lround(deviation));
            findings.Add(&texture, rule::kMipContent,
                         "level " + std::to_string(i) + " is not level " + std::to_string(i - 1) +
                             " box-filtered (mean difference " + std::to_string(mean) +
                             " of 255); fine if it was painted by hand",
                         {{"level", static_cast<std::int64_t>(i)}, {"mean_difference", mean}});
            return;
        }
        // Moving the vector keeps its buffer, so the grid's view stays valid.
        previous = std::move(current);
    }
}

}  // namespace

void CheckTexels(const LintedTexture& texture, std::span<const StoredLevel> levels,
                 FindingList& findings) {
    const TextureRecord& r = texture.entry->record;
    const std::optional<TexelFacts> facts = levels.empty() ? std::nullopt : ScanTexels(r, levels);
    if (!facts) {
        return;
    }
    const bool flagged = r.hasAlpha != 0;
    if (facts->translucent && !flagged) {
        if (KindOf(r) == TextureKind::kDxt1) {
            findings.Add(&texture, rule::kDxt1Alpha,
                         "DXT1 blocks with transparent texels, but the alpha flag is No: the game "
                         "draws them opaque");
        } else {
            findings.Add(&texture, rule::kAlphaUnset,
                         "texels are not opaque, but the alpha flag is No: the game draws them "
                         "opaque");
        }
    }
    if (!facts->translucent && flagged) {
        findings.Add(&texture, rule::kAlphaUnused,
                     "the alpha flag is Yes, but every texel is opaque: blending for nothing");
    }
    if (facts->paletteColoursUsed && *facts->paletteColoursUsed <= kFewColours &&
        r.paletteSize == kFullPaletteBytes) {
        findings.Add(&texture, rule::kPaletteSize,
                     "uses " + std::to_string(*facts->paletteColoursUsed) +
                         " colours of its 256-entry palette; a 32-entry palette would hold them",
                     {{"colours", *facts->paletteColoursUsed}});
    }
    CheckLevelContents(texture, levels, findings);
}

}  // namespace tinplate
