// SPDX-License-Identifier: GPL-3.0-or-later
// Cutting a record's level bytes into levels, each in game order.
#include "checks/StoredLevels.h"

#include <algorithm>
#include <utility>

#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

// The level as the game draws it: the stored bytes themselves where they are in that order.
bool PutInGameOrder(const TextureRecord& record, std::size_t index, StoredLevel& level) {
    auto game = std::make_shared<const std::vector<std::uint8_t>>(
        LayoutOf(record).GameLevel(record, index, {level.bytes, level.width, level.height}));
    if (game->size() != level.bytes.size()) {
        return false;
    }
    if (!std::equal(game->begin(), game->end(), level.bytes.begin())) {
        level.bytes = *game;
        level.gameOrder = std::move(game);
    }
    return true;
}

}  // namespace

std::vector<StoredLevel> StoredLevels(const TextureRecord& record) {
    std::vector<StoredLevel> levels;
    const ByteBuffer& first = std::as_const(record).pixels;
    if (record.pixelSize == 0 || first.size() != record.pixelSize) {
        return levels;
    }
    levels.push_back({record.width, record.height, std::span(first.data(), first.size()), {}});
    const ByteBuffer& smaller = std::as_const(record).smallerLevels;
    std::uint64_t at = 0;
    for (const LevelSize& level : SmallerLevelSizes(record)) {
        if (at + level.bytes > smaller.size()) {
            break;
        }
        levels.push_back(
            {level.width, level.height, std::span(smaller.data() + at, level.bytes), {}});
        at += level.bytes;
    }
    for (std::size_t i = 0; i < levels.size(); ++i) {
        if (!PutInGameOrder(record, i, levels[i])) {
            levels.resize(i);
            break;
        }
    }
    return levels;
}

}  // namespace tinplate
