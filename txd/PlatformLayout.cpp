// SPDX-License-Identifier: GPL-3.0-or-later
// The table of layouts by platform id.
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace tinplate {

namespace {

constexpr PlatformFacts kPlatforms[] = {
    {platform::kPlatform5, "5", "platform 5", 1024, true, &Platform5Layout},
    {platform::kD3d8, "8", "PC D3D8", 4096, false, &D3d8Layout},
    {platform::kD3d9, "9", "PC D3D9", 4096, false, &D3d9Layout},
    {platform::kPs2, "ps2", "PS2", 1024, true, &Ps2Layout},
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
    return IsBlockCompressed(record) || LayoutOf(record).StoresRowsTopDown();
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
