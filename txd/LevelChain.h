// SPDX-License-Identifier: GPL-3.0-or-later
// Where a texture's smaller levels lie and how large each is.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

struct LevelSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint64_t offset = 0;  // in the file
    std::uint64_t bytes = 0;
};

// The levels stored after the first one, each side halved and never below 1, in the
// texture's own kind. The level count is trusted only as far as the chain to 1 x 1 goes, and
// a level that would reach past the texture's own data ends the list.
std::vector<LevelSize> SmallerLevelSizes(const TextureRecord& record);

// The bytes of those levels in `smallerLevels`, one span each, as far as the buffer holds
// them. Never copies: a buffer whose levels lie apart in the file gives its pieces.
std::vector<std::span<const std::uint8_t>> SmallerLevelBytes(const TextureRecord& record);

}  // namespace tinplate
