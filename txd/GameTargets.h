// SPDX-License-Identifier: GPL-3.0-or-later
// The games and platforms a dictionary is made for: which platform ids and versions each reads.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// One game on one platform: the platform id its new dictionaries are written in, the ids it
// reads, and the library version of its own files. It reads its own version and older ones.
struct GameTarget {
    const char* word;  // "sa-pc": GAME-PLATFORM, GAME iii, vc or sa and PLATFORM pc, 5 or ps2
    const char* title;
    std::uint32_t platform;
    std::vector<std::uint32_t> reads;
    std::uint32_t versionWord;
};

std::span<const GameTarget> GameTargets();
const GameTarget* FindGameTarget(const std::string& word);
// "iii-pc, iii-5, ...", for messages and help.
std::string GameTargetWords();

// Whether `target` reads a texture of platform id `platform`, and a dictionary of `versionWord`.
bool ReadsPlatform(const GameTarget& target, std::uint32_t platform);
bool ReadsVersion(const GameTarget& target, std::uint32_t versionWord);
// The platform a texture of `platform` goes to for `target`: its own where the target reads
// it (platform 8 stays 8 for SA on PC), else the one the target writes.
std::uint32_t PlatformOnTarget(const GameTarget& target, std::uint32_t platform);
// The targets that read textures of each of `platforms` and dictionaries of `versionWord`.
std::vector<const GameTarget*> TargetsThatFit(const std::vector<std::uint32_t>& platforms,
                                              std::uint32_t versionWord);

// Why a dictionary with textures of `platform` cannot move from version `from` to `to`, where
// that platform's layout is not the same on both sides; nothing when it can.
std::optional<std::string> WhyVersionChangeRefused(std::uint32_t platform, std::uint32_t from,
                                                   std::uint32_t to);

// From 3.6 on, a dictionary's header names the device its textures are for; new textures of an
// empty dictionary take the platform id of that device, or else the one platform of the
// targets of its version (5 when neither says). The id for `platform` (0 for none).
std::uint16_t DeviceIdFor(std::uint32_t platform);
std::uint32_t PlatformOfEmptyDictionary(std::span<const std::uint8_t> file);
std::vector<std::uint8_t> EmptyDictionaryFor(std::uint32_t platform, std::uint32_t versionWord);

}  // namespace tinplate
