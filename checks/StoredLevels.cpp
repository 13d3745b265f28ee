// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting a record's level bytes into levels.
#include "checks/StoredLevels.h"

#include <utility>

#include "txd/LevelChain.h"

namespace tinplate {

std::vector<StoredLevel> StoredLevels(const TextureRecord& record) {
    std::vector<StoredLevel> levels;
    const ByteBuffer& first = std::as_const(record).pixels;
    if (record.pixelSize == 0 || first.size() != record.pixelSize) {
        return levels;
    }
    levels.push_back({record.width, record.height, std::span(first.data(), first.size())});
    const ByteBuffer& smaller = std::as_const(record).smallerLevels;
    std::uint64_t at = 0;
    for (const LevelSize& level : SmallerLevelSizes(record)) {
        if (at + level.bytes > smaller.size()) {
            break;
        }
        levels.push_back({level.width, level.height, std::span(smaller.data() + at, level.bytes)});
        at += level.bytes;
    }
    return levels;
}

}  // namespace tinplate
