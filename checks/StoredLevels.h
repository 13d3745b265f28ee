// SPDX-License-Identifier: GPL-3.0-or-later
// The levels a texture holds, each as the game draws it.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    // Exactly the level's bytes in the texture's kind, in game order (top row first,
    // unswizzled): a view of the record's bytes or of `gameOrder`.
    std::span<const std::uint8_t> bytes;
    std::shared_ptr<const std::vector<std::uint8_t>> gameOrder;
};

// Level 0 first, then each smaller level the record holds whole; empty when the first level
// does not fit the header or cannot be read in game order. The views live as long as the
// record's buffers.
std::vector<StoredLevel> StoredLevels(const TextureRecord& record);

}  // namespace tinplate
