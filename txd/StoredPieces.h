// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of a texture that writing it back in place puts where.
#pragma once

#include <cstdint>
#include <vector>

#include "txd/DictionaryRewrite.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

// What writing a texture back over the block it was read from puts where: its alpha field,
// palette, first level and smaller levels, in its layout's byte order and at their offsets in
// that file, in file order. The pieces point into the record and into this object.
class StoredPieces {
public:
    // Without the smaller levels when `withSmallerLevels` is false (they are written apart).
    explicit StoredPieces(const TextureRecord& record, bool withSmallerLevels = true);
    StoredPieces(const StoredPieces&) = delete;
    StoredPieces& operator=(const StoredPieces&) = delete;

    const std::vector<Patch>& pieces() const { return m_pieces; }

private:
    HeaderField m_alpha;
    std::vector<std::uint8_t> m_palette;
    std::vector<Patch> m_pieces;
};

// Where smaller level `index` (0 for the first after the first level) lies in the file, for a
// level at `chainOffset` in the record's chain of levels back to back.
std::uint64_t StoredLevelOffset(const TextureRecord& record, std::size_t index,
                                std::uint64_t chainOffset);

}  // namespace tinplate
