// SPDX-License-Identifier: GPL-3.0-or-later
// A texture's levels as its platform's games draw them, and back.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

struct GameLevel {
    std::vector<std::uint8_t> bytes;  // empty when the level cannot be read in game order
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

// The first level and every smaller one the record holds.
std::size_t LevelCount(const TextureRecord& record);

// Level `index` (0 = the first) in game order, through the record's platform layout.
GameLevel GameLevelOf(const TextureRecord& record, std::size_t index);

// The palette as the game picture's indices name it.
std::vector<std::uint8_t> GamePaletteOf(const TextureRecord& record);

// The record's palette and levels replaced by these in game order (`smaller` holds the
// levels after the first one after another), each put into the order the record keeps.
void StoreGameLevels(TextureRecord& record, std::span<const std::uint8_t> gamePalette,
                     std::span<const std::uint8_t> first, std::span<const std::uint8_t> smaller);

// The orders a texture made anew on its platform gets: the one its games read.
void MakeGameReady(TextureRecord& record);

// How listings name an order: "linear", "swizzled" or "guessed-swizzled".
std::string_view OrderName(TexelOrder order);

}  // namespace tinplate
