// SPDX-License-Identifier: GPL-3.0-or-later
// Fitting a texture record to a PS2 raster.
#include "txd/Ps2RecordFit.h"

#include <bit>

#include "fileio/FileError.h"
#include "fileio/MessageNumbers.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/Ps2BlockMap.h"
#include "txd/Ps2Raster.h"
#include "txd/TextureKinds.h"

namespace tinplate::ps2 {

std::optional<Kind> Ps2KindOf(const TextureRecord& r) {
    switch (KindOf(r)) {
        case TextureKind::kPalette256:
            return Kind::kPal8;
        case TextureKind::kPalette16:
            return Kind::kPal4;
        case TextureKind::kRgba32:
            return Kind::kRgba8888;
        case TextureKind::kArgb1555:
            return Kind::kRgba1555;
        default:
            return std::nullopt;
    }
}

std::vector<std::span<const std::uint8_t>> LevelsOf(const TextureRecord& r) {
    std::vector<std::span<const std::uint8_t>> levels{std::span(r.pixels.data(), r.pixels.size())};
    const auto smaller = SmallerLevelBytes(r);
    levels.insert(levels.end(), smaller.begin(), smaller.end());
    return levels;
}

std::string Unfit(const TextureRecord& r) {
    const std::optional<Kind> kind = Ps2KindOf(r);
    if (!kind) {
        return "the PS2 platform holds no " + KindDescription(r) + " textures";
    }
    if (r.width == 0 || r.height == 0 || r.width > kMaxSide || r.height > kMaxSide ||
        !std::has_single_bit(r.width) || !std::has_single_bit(r.height)) {
        return "its sides (" + SidesText(r.width, r.height) +
               ") are not powers of two of at most 1024, as the PS2 platform needs";
    }
    const std::size_t levels = 1 + SmallerLevelBytes(r).size();
    const std::uint32_t chain = ChainLength(r.width, r.height, levels > 1);
    if (levels != chain) {
        return "it has " + std::to_string(levels) + " levels; on the PS2 platform a " +
               SidesText(r.width, r.height) + " texture has 1 or " +
               std::to_string(ChainLength(r.width, r.height, true));
    }
    if (!FitsOnePacket(*kind, r.width, r.height)) {
        return "its first level is too large for one GIF packet (0x7FFF quadwords), and "
               "rasters without packets are not written";
    }
    if (r.pixels.size() != RecordLevelBytes(*kind, r.width, r.height) ||
        r.palette.size() != std::size_t{RowOf(*kind).paletteEntries} * 4) {
        return "its bytes do not fit its size and kind";
    }
    return {};
}

FreshRaster PlanRaster(const TextureEntry& entry, std::uint32_t version,
                       const std::string& fileName) {
    const TextureRecord& r = entry.record;
    if (const std::string reason = Unfit(r); !reason.empty()) {
        throw FileError(fileName, TextureLabel(entry) + ": " + reason);
    }
    const Kind kind = *Ps2KindOf(r);
    const auto levels = LevelsOf(r);
    FreshRaster plan{kind,
                     AllocateRaster(kind, r.width, r.height, levels.size() > 1,
                                    SwizzlesPal4(LibraryVersion(version))),
                     levels};
    for (std::size_t i = 0; i < plan.levels.size(); ++i) {
        const LevelUpload& level = plan.allocation.levels[i];
        if (plan.levels[i].size() != RecordLevelBytes(kind, level.width, level.height)) {
            throw FileError(fileName, TextureLabel(entry) + ": its level " + std::to_string(i) +
                                          " does not hold a " +
                                          SidesText(level.width, level.height) +
                                          " level of its kind");
        }
    }
    return plan;
}

void DropLevelsPastTheChain(TextureRecord& r) {
    const auto smaller = SmallerLevelBytes(r);
    const std::uint32_t chain = ChainLength(r.width, r.height, !smaller.empty());
    if (smaller.size() + 1 <= chain) {
        return;
    }
    std::vector<std::uint8_t> kept;
    for (std::size_t i = 0; i + 1 < chain; ++i) {
        kept.insert(kept.end(), smaller[i].begin(), smaller[i].end());
    }
    r.smallerLevels = ByteBuffer(kept);
    r.mipCount = static_cast<std::int16_t>(chain);
    r.levelDataEnd = static_cast<std::uint32_t>(r.pixelOffset + r.pixelSize + kept.size());
    if (chain == 1) {
        r.alphaFlags &= ~std::uint32_t{format::kLevels};
    }
}

WrittenTexels TexelsToWrite(Kind kind, const TextureRecord& r,
                            const std::vector<std::span<const std::uint8_t>>& levels) {
    WrittenTexels out{{}, std::vector<std::uint8_t>(r.palette)};
    for (const auto level : levels) {
        out.levels.emplace_back(level.begin(), level.end());
    }
    if (r.hasAlpha != 0) {
        return out;
    }
    const auto opaqueEntry = [&](std::size_t entry) {
        if (entry * 4 + 3 < out.palette.size()) {
            out.palette[entry * 4 + 3] = 0xFF;
        }
    };
    for (std::vector<std::uint8_t>& level : out.levels) {
        for (std::size_t i = 0; i < level.size(); ++i) {
            switch (kind) {
                case Kind::kRgba8888:
                    level[i] = i % 4 == 3 ? 0xFF : level[i];
                    break;
                case Kind::kRgba1555:
                    level[i] = i % 2 == 1 ? level[i] | 0x80 : level[i];
                    break;
                case Kind::kPal8:
                    opaqueEntry(level[i]);
                    break;
                case Kind::kPal4:
                    opaqueEntry(level[i] & 0xF);
                    opaqueEntry(level[i] >> 4);
                    break;
            }
        }
    }
    return out;
}

}  // namespace tinplate::ps2
