// SPDX-License-Identifier: GPL-3.0-or-later
// Moving a whole dictionary to a game target or a library version.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include <optional>

#include "txd/GameTargets.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// A game target (its platforms and version), or a library version alone.
struct TargetChoice {
    const GameTarget* game = nullptr;
    std::uint32_t versionWord = 0;
};

// "sa-pc" or a version ("3.4.0.3", "0x1003FFFF"); nothing for any other word.
std::optional<TargetChoice> ParseTargetChoice(const std::string& word);

struct TargetedTextures {
    std::vector<TextureEntry> textures;
    std::vector<std::string> convertedNames;  // textures that moved to another platform
};

// The textures of a dictionary of version `fromVersion` as `choice` wants them: for a game
// target every texture on a platform the game does not read converted to the one it writes
// (as ConvertedToPlatform does, `order` overriding each texture's own), the others as they were. Throws ConversionRefused, naming the
// texture, where a texture cannot be converted or its layout differs across the version
// change; nothing is changed then. The version itself goes on every chunk as the file is
// written (WithChunkVersions).
TargetedTextures Targeted(const std::vector<TextureEntry>& textures, std::uint32_t fromVersion,
                          const TargetChoice& choice,
                          std::optional<TexelOrder> order = std::nullopt);

}  // namespace tinplate
