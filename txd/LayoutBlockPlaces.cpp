// SPDX-License-Identifier: GPL-3.0-or-later
// Where most layouts keep a texture's name and the chunks behind its data.
#include <cstring>

#include "fileio/ByteOrder.h"
#include "txd/DictionaryReader.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

std::string PlatformLayout::NameOf(std::span<const std::uint8_t> block) const {
    const char* name = reinterpret_cast<const char*>(block.data() + block::kNameOffset);
    return std::string(name, ::strnlen(name, block::kNameSize));
}

std::uint64_t PlatformLayout::TrailingChunksAt(std::span<const std::uint8_t> block) const {
    if (block.size() < block::kStructDataOffset) {
        return block.size();
    }
    return block::kStructDataOffset + std::uint64_t{ReadLe32(block, block::kStructSizeOffset)};
}

}  // namespace tinplate
