// SPDX-License-Identifier: GPL-3.0-or-later
// The table of layouts by platform id.
#include "txd/PlatformLayout.h"

#include <algorithm>
#include <bit>
#include <utility>

#include "txd/TextureKinds.h"

namespace tinplate {

// A layout without a choice of order keeps its levels row after row from the top, and its
// palette as the record holds it.
std::vector<std::uint8_t> PlatformLayout::GameLevel(const TextureRecord&, std::size_t,
                                                    const LevelTexels& stored) const {
    return {stored.bytes.begin(), stored.bytes.end()};
}

std::vector<std::uint8_t> PlatformLayout::StoredLevel(const TextureRecord&, std::size_t,
                                                      const LevelTexels& game) const {
    return {game.bytes.begin(), game.bytes.end()};
}

std::vector<std::uint8_t> PlatformLayout::GamePalette(const TextureRecord& record) const {
    const ByteBuffer& palette = record.palette;
    return {palette.begin(), palette.end()};
}

std::vector<std::uint8_t> PlatformLayout::StoredPalette(const TextureRecord&,
                                                        std::span<const std::uint8_t> game) const {
    return {game.begin(), game.end()};
}

void PlatformLayout::JudgeOrder(TextureRecord& record) const {
    record.order = record.firstLevelOrder = TexelOrder::kLinear;
}

TexelOrder PlatformLayout::GameReadyOrder(const TextureRecord&) const {
    return TexelOrder::kLinear;
}

bool PlatformLayout::SwizzlesInMortonOrder() const {
    return false;
}

bool PlatformLayout::HoldsKind(const TextureRecord& record) const {
    return Holds(KindOf(record));
}

bool PlatformLayout::NeedsPowerOfTwoSides(const TextureRecord&) const {
    return false;
}

std::string SidesRefusal(const TextureRecord& record, std::uint32_t width, std::uint32_t height) {
    const PlatformLayout* layout = FindLayout(record.platform);
    if (layout == nullptr) {
        return {};
    }
    const std::string sides = std::to_string(width) + " x " + std::to_string(height);
    const std::string platformName = PlatformText(record.platform);
    if (layout->NeedsPowerOfTwoSides(record) &&
        (!std::has_single_bit(width) || !std::has_single_bit(height))) {
        return "its sides (" + sides + ") are not powers of two, so " + platformName +
               " cannot swizzle this uncompressed texture (rule swizzle-size)";
    }
    if (std::max(width, height) > layout->MaximumSide()) {
        return "its sides (" + sides + ") are longer than " + platformName + "'s maximum of " +
               std::to_string(layout->MaximumSide()) + " (rule max-size)";
    }
    return {};
}

namespace {

constexpr PlatformFacts kPlatforms[] = {
    {platform::kPlatform5, "5", "platform 5", "swizzled texels", &Platform5Layout},
    {platform::kD3d8, "8", "PC D3D8", "PC, Direct3D 8", &D3d8Layout},
    {platform::kD3d9, "9", "PC D3D9", "PC, Direct3D 9", &D3d9Layout},
    {platform::kPs2, "ps2", "PS2", "PS2", &Ps2Layout},
};

}  // namespace

std::span<const PlatformFacts> Platforms() {
    return kPlatforms;
}

const PlatformFacts* FindPlatform(std::uint32_t id) {
    for (const PlatformFacts& facts : kPlatforms) {
        if (facts.id == id) {
            return &facts;
        }
    }
    return nullptr;
}

const PlatformFacts* PlatformOfWord(std::string_view word) {
    for (const PlatformFacts& facts : kPlatforms) {
        if (facts.word == word) {
            return &facts;
        }
    }
    return nullptr;
}

std::string PlatformText(std::uint32_t id) {
    const PlatformFacts* facts = FindPlatform(id);
    return facts != nullptr ? std::string(facts->name) : "platform " + std::to_string(id);
}

const PlatformLayout* FindLayout(std::uint32_t id) {
    const PlatformFacts* facts = FindPlatform(id);
    return facts != nullptr ? &facts->layout() : nullptr;
}

bool SwizzlesInMortonOrder(std::uint32_t id) {
    const PlatformLayout* layout = FindLayout(id);
    return layout != nullptr && layout->SwizzlesInMortonOrder();
}

const PlatformLayout& LayoutOf(const TextureRecord& record) {
    const PlatformLayout* layout = FindLayout(record.platform);
    return layout != nullptr ? *layout : Platform5Layout();
}

bool PlatformLayout::Holds(TextureKind kind) const {
    return kind != TextureKind::kPalette16;
}

std::uint32_t PlatformLayout::FullChain(std::uint32_t width, std::uint32_t height) const {
    return static_cast<std::uint32_t>(std::bit_width(std::max(width, height)));
}

bool FirstRowOnTop(const TextureRecord& record) {
    return IsBlockCompressed(record) || LayoutOf(record).ShowsFirstRowOnTop();
}

void PutRowsInStoredOrder(const TextureRecord& record, std::span<std::uint8_t> level,
                          std::uint32_t height) {
    if (height < 2 || !FirstRowOnTop(record) || IsBlockCompressed(record)) {
        return;
    }
    const std::size_t rowBytes = level.size() / height;
    for (std::size_t top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        std::swap_ranges(level.begin() + top * rowBytes, level.begin() + (top + 1) * rowBytes,
                         level.begin() + bottom * rowBytes);
    }
}

std::vector<std::uint8_t> SwappedPalette(std::span<const std::uint8_t> palette) {
    std::vector<std::uint8_t> swapped(palette.begin(), palette.end());
    for (std::size_t i = 0; i + 2 < swapped.size(); i += 4) {
        std::swap(swapped[i], swapped[i + 2]);
    }
    return swapped;
}

}  // namespace tinplate
