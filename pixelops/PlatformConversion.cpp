// SPDX-License-Identifier: GPL-3.0-or-later
// Moving textures between platform layouts without touching their values.
#include "pixelops/PlatformConversion.h"

#include <algorithm>
#include <bit>
#include <future>
#include <limits>
#include <span>
#include <string>
#include <utility>

#include "fileio/MessageNumbers.h"
#include "pixelops/KindAdaptation.h"
#include "pixelops/TexelLayout.h"
#include "txd/DictionaryReader.h"
#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/MortonOrder.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

// Each level of the texture as it lies, with its sides.
struct LevelView {
    std::span<const std::uint8_t> bytes;
    std::uint32_t width;
    std::uint32_t height;
};

std::vector<LevelView> LevelsOf(const TextureRecord& source, bool withFirst) {
    std::vector<LevelView> levels;
    if (withFirst) {
        levels.push_back({source.pixels, source.width, source.height});
    }
    const std::vector<LevelSize> sizes = SmallerLevelSizes(source);
    const auto bytes = SmallerLevelBytes(source);
    for (std::size_t i = 0; i < bytes.size() && i < sizes.size(); ++i) {
        levels.push_back({bytes[i], sizes[i].width, sizes[i].height});
    }
    return levels;
}

// Whether a texture's levels move on the way: they do where the order the source is read in
// and the order the target stores differ, for any level.
bool OrdersDiffer(const TextureRecord& source, const TextureRecord& target) {
    return TexelBytes(source) != 0 &&
           (IsSwizzled(source.order) != IsSwizzled(target.order) ||
            IsSwizzled(source.firstLevelOrder) != IsSwizzled(target.firstLevelOrder));
}

// The orders a record is read or stored in: its own, or the override where its layout has a
// choice.
void ApplyOverride(TextureRecord& r, std::optional<TexelOrder> order) {
    if (order && LayoutOf(r).SwizzlesInMortonOrder() && TexelBytes(r) != 0) {
        r.order = r.firstLevelOrder = *order;
    }
}

void RefuseLevelsThatCannotBeReordered(const TextureEntry& texture, const TextureRecord& source,
                                       const TextureRecord& target) {
    const std::uint32_t texelBytes = TexelBytes(source);
    const std::vector<LevelView> levels = LevelsOf(source, true);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        const LevelView& level = levels[i];
        const bool from = IsSwizzled(i == 0 ? source.firstLevelOrder : source.order);
        const bool to = IsSwizzled(i == 0 ? target.firstLevelOrder : target.order);
        if (from == to ||
            IsReorderable(level.bytes.size(), level.width, level.height, texelBytes)) {
            continue;
        }
        const bool powers = std::has_single_bit(level.width) && std::has_single_bit(level.height);
        throw ConversionRefused(TextureLabel(texture) + " has a " +
                                SidesText(level.width, level.height) + " level, which cannot be " +
                                (to ? "swizzled" : "unswizzled") +
                                (powers ? ": its bytes do not fit its size and kind"
                                        : ": its sides are not powers of two"));
    }
}

// The levels in the target's order, each read where it lies through the source's layout as
// the game draws it and stored through the target's (the refusals come first, from
// RefuseLevelsThatCannotBeReordered).
void ReorderLevels(const TextureRecord& source, TextureRecord& r) {
    const PlatformLayout& from = LayoutOf(source);
    const PlatformLayout& to = LayoutOf(r);
    const auto reorder = [&](std::size_t index, const LevelView& level) {
        const std::vector<std::uint8_t> game =
            from.GameLevel(source, index, {level.bytes, level.width, level.height});
        return to.StoredLevel(r, index, {game, level.width, level.height});
    };
    const std::vector<LevelView> levels = LevelsOf(source, true);
    r.pixels = ByteBuffer::Copy(reorder(0, levels.front()));
    std::size_t total = 0;
    for (std::size_t i = 1; i < levels.size(); ++i) {
        total += levels[i].bytes.size();
    }
    ByteBuffer smaller = ByteBuffer::Uninitialized(total);
    std::size_t at = 0;
    for (std::size_t i = 1; i < levels.size(); ++i) {
        const std::vector<std::uint8_t> level = reorder(i, levels[i]);
        std::copy(level.begin(), level.end(), smaller.data() + at);
        at += level.size();
    }
    r.smallerLevels = std::move(smaller);
}

// What the levels are read from: the converted record's levels (in a kind and chain the target
// holds) while still in the source's layout and orders.
TextureRecord ReadingOf(const TextureRecord& source, const TextureRecord& converted) {
    TextureRecord adapted = converted;
    adapted.platform = source.platform;
    adapted.order = source.order;
    adapted.firstLevelOrder = source.firstLevelOrder;
    return adapted;
}

// A platform whose games read swizzled texels takes no texture that cannot be swizzled, unless
// the user asks for it to be stored linear.
void RefuseSidesTheTargetCannotSwizzle(const TextureEntry& texture, const TextureRecord& r,
                                       const PlatformLayout& layout,
                                       std::optional<TexelOrder> order) {
    const bool powers = std::has_single_bit(r.width) && std::has_single_bit(r.height);
    if (powers || !layout.SwizzlesInMortonOrder() || !layout.NeedsPowerOfTwoSides(r) ||
        order == TexelOrder::kLinear) {
        return;
    }
    throw ConversionRefused(TextureLabel(texture) + " has a " + SidesText(r.width, r.height) +
                            " level, which cannot be swizzled: its sides are not powers of two");
}

void RefuseKindsTheTargetCannotHold(const TextureEntry& texture, const TextureRecord& r) {
    if (!LayoutOf(r).HoldsKind(r)) {
        throw ConversionRefused(TextureLabel(texture) + " (" + std::to_string(r.depth) +
                                "-bit, compression " + std::to_string(r.compression) + ", format " +
                                HexText(r.alphaFlags) + ") is of a kind " +
                                PlatformText(r.platform) + " cannot hold");
    }
}

}  // namespace

TextureRecord ConvertedLayout(const TextureEntry& texture, std::uint32_t target,
                              std::optional<TexelOrder> order) {
    const TextureRecord& source = texture.record;
    if (source.platform == target) {
        return source;
    }
    if (FindLayout(target) == nullptr) {
        throw ConversionRefused("platform id " + std::to_string(target) + " is not supported");
    }
    TextureRecord r = source;
    r.platform = target;
    const PlatformLayout& layout = *FindLayout(target);
    if (!AdaptKind(r, layout)) {
        RefuseKindsTheTargetCannotHold(texture, r);
    }
    const std::size_t levels = 1 + SmallerLevelSizes(r).size();
    r.mipCount = static_cast<std::int16_t>(levels);
    RefuseKindsTheTargetCannotHold(texture, r);
    if (const std::string reason = layout.Adopt(r); !reason.empty()) {
        throw ConversionRefused(TextureLabel(texture) + " cannot be put on " +
                                PlatformText(target) + ": " + reason);
    }
    MakeGameReady(r);
    ApplyOverride(r, order);
    RefuseSidesTheTargetCannotSwizzle(texture, r, layout, order);
    TextureRecord reading = ReadingOf(source, r);
    ApplyOverride(reading, order);
    RefuseLevelsThatCannotBeReordered(texture, reading, r);
    r.paletteOffset = r.pixelOffset = r.headerOffset = r.blockEnd = 0;
    r.levelDataEnd = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{r.pixelSize} + r.smallerLevels.size(),
                                std::numeric_limits<std::uint32_t>::max()));
    r.laidOutAnew = true;
    return r;
}

TextureRecord WithLevelsReordered(const TextureRecord& source, TextureRecord converted,
                                  std::optional<TexelOrder> order) {
    if (source.platform == converted.platform) {
        return converted;
    }
    TextureRecord reading = ReadingOf(source, converted);
    if (order && LayoutOf(source).SwizzlesInMortonOrder()) {
        ApplyOverride(reading, order);
    }
    if (OrdersDiffer(reading, converted)) {
        ReorderLevels(reading, converted);
    }
    return converted;
}

TextureRecord ConvertedToPlatform(const TextureEntry& texture, std::uint32_t target,
                                  std::optional<TexelOrder> order) {
    return WithLevelsReordered(texture.record, ConvertedLayout(texture, target, order), order);
}

std::vector<TextureEntry> ConvertedDictionary(const std::vector<TextureEntry>& textures,
                                              std::uint32_t target,
                                              std::optional<TexelOrder> order) {
    std::vector<TextureEntry> converted(textures.size());
    const auto convert = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            converted[i] = {textures[i].name, ConvertedToPlatform(textures[i], target, order)};
        }
    };
    // Reordering levels is bound by memory, not by one core: the second half of the list is
    // converted beside the first. A refusal in either half is the one thrown (the other half
    // finishes first: the future waits when it goes).
    const std::size_t half = textures.size() / 2;
    std::future<void> secondHalf = std::async(std::launch::async, convert, half, textures.size());
    convert(0, half);
    secondHalf.get();
    return converted;
}

}  // namespace tinplate
