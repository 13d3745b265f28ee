// SPDX-License-Identifier: GPL-3.0-or-later
// The levels a texture holds, each as a view of its bytes.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

struct StoredLevel {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::span<const std::uint8_t> bytes;  // exactly the level's bytes in the texture's kind
};

// Level 0 first, then each smaller level the record holds whole; empty when the first level
// does not fit the header. The views live as long as the record's buffers.
std::vector<StoredLevel> StoredLevels(const TextureRecord& record);

}  // namespace tinplate
