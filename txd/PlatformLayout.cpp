// SPDX-License-Identifier: GPL-3.0-or-later
// The table of layouts by platform id.
#include "txd/PlatformLayout.h"
#include "txd/DictionaryReader.h"
#include "txd/TextureKinds.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace tinplate {

const PlatformLayout* FindLayout(std::uint32_t id) {
    switch (id) {
        case platform::kPlatform5:
            return &Platform5Layout();
        case platform::kD3d8:
            return &D3d8Layout();
        case platform::kD3d9:
            return &D3d9Layout();
        case platform::kPs2:
            return &Ps2Layout();
        default:
            return nullptr;
    }
}

const PlatformLayout& LayoutOf(const TextureRecord& record) {
    const PlatformLayout* layout = FindLayout(record.platform);
    return layout != nullptr ? *layout : Platform5Layout();
}

std::string PlatformLayout::NameOf(std::span<const std::uint8_t> block) const {
    const char* name = reinterpret_cast<const char*>(block.data() + block::kNameOffset);
    return std::string(name, ::strnlen(name, block::kNameSize));
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
