// SPDX-License-Identifier: GPL-3.0-or-later
// The table of layouts by platform id.
#include "PlatformLayout.h"

#include <utility>

const PlatformLayout* FindLayout(std::uint32_t id) {
    switch (id) {
        case platform::kPlatform5:
            return &Platform5Layout();
        case platform::kD3d8:
            return &D3d8Layout();
        case platform::kD3d9:
            return &D3d9Layout();
        default:
            return nullptr;
    }
}

const PlatformLayout& LayoutOf(const TextureRecord& record) {
    const PlatformLayout* layout = FindLayout(record.platform);
    return layout != nullptr ? *layout : Platform5Layout();
}

std::vector<std::uint8_t> SwappedPalette(std::span<const std::uint8_t> palette) {
    std::vector<std::uint8_t> swapped(palette.begin(), palette.end());
    for (std::size_t i = 0; i + 2 < swapped.size(); i += 4) {
        std::swap(swapped[i], swapped[i + 2]);
    }
    return swapped;
}
