// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "TextureRecord.h"

// The bytes Save may rebuild: the smaller levels of every 8-bit texture with several levels,
// from the end of its first level to the end of its own level data.
std::vector<std::pair<std::uint64_t, std::uint64_t>> RebuiltRanges(
    const std::vector<TextureEntry>& textures);

// Offsets at which `after` differs from `before`, leaving out `skipped` ranges; a length
// change shows as the offset where the shorter one ends.
std::vector<std::uint64_t> ChangedOffsets(
    std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
    const std::vector<std::pair<std::uint64_t, std::uint64_t>>& skipped = {});

// The pixels the real image library makes from `record`'s first level, for each size in turn,
// one after the other: what Save is expected to write after the first level.
std::vector<std::uint8_t> ExpectedLevels(const TextureRecord& record,
                                         const std::vector<std::pair<int, int>>& sizes);
