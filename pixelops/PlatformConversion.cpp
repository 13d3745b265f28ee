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
#include "pixelops/Swizzle.h"
#include "pixelops/TexelLayout.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kAutomaticLevelsFormatBit = 0x1000;
constexpr std::uint8_t kAutomaticLevelsFlag = 0x04;

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

// Platform 5 swizzles uncompressed levels, the others do not: whether the texture's levels
// change order on the way to `target`, and whether its first level does.
struct Reordering {
    bool levels = false;
    bool first = false;
    bool toSwizzled = false;
};

Reordering ReorderingOf(const TextureRecord& source, std::uint32_t target, bool firstLevelLinear) {
    const bool fromSwizzled = source.platform == platform::kPlatform5;
    const bool toSwizzled = target == platform::kPlatform5;
    // Blocks are never swizzled.
    const bool levels = fromSwizzled != toSwizzled && TexelBytes(source) != 0;
    return {levels, levels && !(firstLevelLinear && fromSwizzled), toSwizzled};
}

void RefuseLevelsThatCannotBeReordered(const TextureEntry& texture, const Reordering& order) {
    const std::uint32_t texelBytes = TexelBytes(texture.record);
    for (const LevelView& level : LevelsOf(texture.record, order.first)) {
        if (IsReorderable(level.bytes.size(), level.width, level.height, texelBytes)) {
            continue;
        }
        const bool powers = std::has_single_bit(level.width) && std::has_single_bit(level.height);
        throw ConversionRefused(TextureLabel(texture) + " has a " +
                                SidesText(level.width, level.height) + " level, which cannot be " +
                                (order.toSwizzled ? "swizzled" : "unswizzled") +
                                (powers ? ": its bytes do not fit its size and kind"
                                        : ": its sides are not powers of two"));
    }
}

// The levels in the target's order, each read where it lies and written once into the new
// buffers (the refusals come first, from RefuseLevelsThatCannotBeReordered).
void ReorderLevels(const TextureRecord& source, TextureRecord& r, const Reordering& order) {
    const std::uint32_t texelBytes = TexelBytes(source);
    const auto reorder = [&](const LevelView& level, std::uint8_t* to) {
        ReorderLevel(level.bytes, std::span(to, level.bytes.size()), level.width, level.height,
                     texelBytes, order.toSwizzled);
    };
    if (order.first) {
        ByteBuffer first = ByteBuffer::Uninitialized(source.pixels.size());
        reorder({source.pixels, source.width, source.height}, first.data());
        r.pixels = std::move(first);
    }
    const std::vector<LevelView> levels = LevelsOf(source, false);
    std::size_t total = 0;
    for (const LevelView& level : levels) {
        total += level.bytes.size();
    }
    ByteBuffer smaller = ByteBuffer::Uninitialized(total);
    std::size_t at = 0;
    for (const LevelView& level : levels) {
        reorder(level, smaller.data() + at);
        at += level.bytes.size();
    }
    r.smallerLevels = std::move(smaller);
}

void RefuseKindsTheTargetCannotHold(const TextureEntry& texture, const TextureRecord& r) {
    if (!LayoutOf(r).Holds(KindOf(r))) {
        throw ConversionRefused(TextureLabel(texture) + " (" + KindDescription(r) +
                                ") is of a kind " + PlatformText(r.platform) + " cannot hold");
    }
    if (r.platform == platform::kPlatform5) {
        return;
    }
    const bool compressed = IsBlockCompressed(r);
    const bool known =
        compressed
            ? r.depth != 8 && (r.alphaFlags & (format::kPalette256 | format::kPalette32)) == 0
            : r.compression == compression::kNone &&
                  (r.depth == 4 || r.depth == 8 || r.depth == 16 || r.depth == 32);
    const bool hasFormat = r.platform != platform::kD3d9 || D3dFormatFor(r) != 0;
    if (!known || !hasFormat || r.pixelSize == 0) {
        throw ConversionRefused(TextureLabel(texture) + " (" + std::to_string(r.depth) +
                                "-bit, compression " + std::to_string(r.compression) + ", format " +
                                HexText(r.alphaFlags) + ") is of a kind platform " +
                                std::to_string(r.platform) + " cannot hold");
    }
}

}  // namespace

TextureRecord ConvertedLayout(const TextureEntry& texture, std::uint32_t target,
                              bool firstLevelLinear) {
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
    if (target != platform::kPlatform5) {
        r.mipCount = static_cast<std::int16_t>(levels);
    }
    if (target == platform::kD3d9) {
        r.hasAlpha = r.hasAlpha != 0 ? 1 : 0;
        r.d3dFormat = D3dFormatFor(r);
        if (source.platform != platform::kD3d9) {
            r.d3dFlags = (r.alphaFlags & kAutomaticLevelsFormatBit) ? kAutomaticLevelsFlag : 0;
        }
    }
    RefuseKindsTheTargetCannotHold(texture, r);
    if (const std::string reason = layout.Adopt(r); !reason.empty()) {
        throw ConversionRefused(TextureLabel(texture) + " cannot be put on " +
                                PlatformText(target) + ": " + reason);
    }
    const Reordering order = ReorderingOf(source, target, firstLevelLinear);
    if (order.levels) {
        RefuseLevelsThatCannotBeReordered(texture, order);
    }
    r.paletteOffset = r.pixelOffset = r.headerOffset = r.blockEnd = 0;
    r.levelDataEnd = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{r.pixelSize} + r.smallerLevels.size(),
                                std::numeric_limits<std::uint32_t>::max()));
    r.laidOutAnew = true;
    return r;
}

TextureRecord WithLevelsReordered(const TextureRecord& source, TextureRecord converted,
                                  bool firstLevelLinear) {
    if (KindOf(source) != KindOf(converted)) {
        // Moved into another kind already: its own levels are the ones to reorder.
        TextureRecord adapted = converted;
        adapted.platform = source.platform;
        return WithLevelsReordered(adapted, std::move(converted), firstLevelLinear);
    }
    const Reordering order = ReorderingOf(source, converted.platform, firstLevelLinear);
    if (source.platform != converted.platform && order.levels) {
        ReorderLevels(source, converted, order);
    }
    return converted;
}

TextureRecord ConvertedToPlatform(const TextureEntry& texture, std::uint32_t target,
                                  bool firstLevelLinear) {
    return WithLevelsReordered(texture.record, ConvertedLayout(texture, target, firstLevelLinear),
                               firstLevelLinear);
}

std::vector<TextureEntry> ConvertedDictionary(const std::vector<TextureEntry>& textures,
                                              std::uint32_t target, bool firstLevelsLinear) {
    std::vector<TextureEntry> converted(textures.size());
    const auto convert = [&](std::size_t from, std::size_t to) {
        for (std::size_t i = from; i < to; ++i) {
            converted[i] = {textures[i].name,
                            ConvertedToPlatform(textures[i], target, firstLevelsLinear)};
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
