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
#include "pixelops/Swizzle.h"
#include "pixelops/TexelLayout.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kAutomaticLevelsFormatBit = 0x1000;
constexpr std::uint8_t kAutomaticLevelsFlag = 0x04;

// The levels in the target's order: platform 5 swizzles uncompressed levels, the others do
// not. Each level is read where it lies and written once, into the new buffers.
void ReorderLevels(const TextureEntry& texture, TextureRecord& r, bool toSwizzled,
                   bool firstLevelLinear) {
    const TextureRecord& source = texture.record;
    const std::uint32_t texelBytes = TexelBytes(source);
    if (texelBytes == 0) {
        return;  // blocks are never swizzled
    }
    const auto reorder = [&](std::span<const std::uint8_t> from, std::uint8_t* to,
                             std::uint32_t width, std::uint32_t height) {
        if (!ReorderLevel(from, std::span(to, from.size()), width, height, texelBytes,
                          toSwizzled)) {
            const bool powers = std::has_single_bit(width) && std::has_single_bit(height);
            throw ConversionRefused(TextureLabel(texture) + " has a " + SidesText(width, height) +
                                    " level, which cannot be " +
                                    (toSwizzled ? "swizzled" : "unswizzled") +
                                    (powers ? ": its bytes do not fit its size and kind"
                                            : ": its sides are not powers of two"));
        }
    };
    if (!firstLevelLinear) {
        const ByteBuffer& pixels = source.pixels;
        ByteBuffer first = ByteBuffer::Uninitialized(pixels.size());
        reorder(pixels, first.data(), source.width, source.height);
        r.pixels = std::move(first);
    }
    const std::vector<LevelSize> sizes = SmallerLevelSizes(source);
    const auto levels = SmallerLevelBytes(source);
    std::size_t total = 0;
    for (const auto level : levels) {
        total += level.size();
    }
    ByteBuffer smaller = ByteBuffer::Uninitialized(total);
    std::size_t at = 0;
    for (std::size_t i = 0; i < levels.size(); ++i) {
        reorder(levels[i], smaller.data() + at, sizes[i].width, sizes[i].height);
        at += levels[i].size();
    }
    r.smallerLevels = std::move(smaller);
}

void RefuseKindsTheTargetCannotHold(const TextureEntry& texture, const TextureRecord& r) {
    if (r.platform == platform::kPlatform5) {
        return;
    }
    const bool compressed = IsBlockCompressed(r);
    const bool known =
        compressed
            ? r.depth != 8 && (r.alphaFlags & (format::kPalette256 | format::kPalette32)) == 0
            : r.compression == compression::kNone &&
                  (r.depth == 8 || r.depth == 16 || r.depth == 32);
    const bool hasFormat = r.platform != platform::kD3d9 || D3dFormatFor(r) != 0;
    if (!known || !hasFormat || r.pixelSize == 0) {
        throw ConversionRefused(TextureLabel(texture) + " (" + std::to_string(r.depth) +
                                "-bit, compression " + std::to_string(r.compression) + ", format " +
                                HexText(r.alphaFlags) + ") is of a kind platform " +
                                std::to_string(r.platform) + " cannot hold");
    }
}

}  // namespace

TextureRecord ConvertedToPlatform(const TextureEntry& texture, std::uint32_t target,
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
    const std::size_t levels = 1 + SmallerLevelSizes(source).size();
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
    const bool fromSwizzled = source.platform == platform::kPlatform5;
    const bool toSwizzled = target == platform::kPlatform5;
    if (fromSwizzled != toSwizzled) {
        ReorderLevels(texture, r, toSwizzled, firstLevelLinear && fromSwizzled);
    }
    r.paletteOffset = r.pixelOffset = r.headerOffset = r.blockEnd = 0;
    r.levelDataEnd = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(std::uint64_t{r.pixelSize} + r.smallerLevels.size(),
                                std::numeric_limits<std::uint32_t>::max()));
    r.laidOutAnew = true;
    return r;
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
