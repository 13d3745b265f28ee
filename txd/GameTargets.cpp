// SPDX-License-Identifier: GPL-3.0-or-later
// The table of game targets and what follows from it.
#include "txd/GameTargets.h"

#include <algorithm>

#include "fileio/ByteOrder.h"
#include "txd/DictionaryReader.h"
#include "txd/LibraryVersion.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kV3100 = 0x00000310;
constexpr std::uint32_t kV3302 = 0x0C02FFFF;
constexpr std::uint32_t kV3403 = 0x1003FFFF;
constexpr std::uint32_t kV3500 = 0x1400FFFF;
constexpr std::uint32_t kV3603 = 0x1803FFFF;

const std::vector<GameTarget> kTargets = {
    {"iii-pc", "III on PC", platform::kD3d8, {platform::kD3d8}, kV3302},
    {"iii-5", "III on platform 5", platform::kPlatform5, {platform::kPlatform5}, kV3500},
    {"iii-ps2", "III on PS2", platform::kPs2, {platform::kPs2}, kV3100},
    {"vc-pc", "VC on PC", platform::kD3d8, {platform::kD3d8}, kV3403},
    {"vc-5", "VC on platform 5", platform::kPlatform5, {platform::kPlatform5}, kV3500},
    {"vc-ps2", "VC on PS2", platform::kPs2, {platform::kPs2}, kV3302},
    {"sa-pc", "SA on PC", platform::kD3d9, {platform::kD3d8, platform::kD3d9}, kV3603},
    {"sa-5", "SA on platform 5", platform::kPlatform5, {platform::kPlatform5}, kV3603},
    {"sa-ps2", "SA on PS2", platform::kPs2, {platform::kPs2}, kV3603},
};

// Platforms whose block layout changes at a library version: below `version` it is another.
struct LayoutBoundary {
    std::uint32_t platform;
    std::uint32_t version;
};
constexpr LayoutBoundary kLayoutBoundaries[] = {
    {platform::kPs2, 0x31001},
};

struct DeviceRow {
    std::uint32_t platform;
    std::uint16_t device;
};
constexpr DeviceRow kDevices[] = {
    {platform::kD3d8, 1},
    {platform::kD3d9, 2},
};
constexpr std::size_t kDeviceOffset = block::kCountOffset + 2;
constexpr std::uint32_t kFirstDeviceVersion = 0x36000;

}  // namespace

std::span<const GameTarget> GameTargets() {
    return kTargets;
}

const GameTarget* FindGameTarget(const std::string& word) {
    const auto found = std::find_if(kTargets.begin(), kTargets.end(),
                                    [&](const GameTarget& target) { return word == target.word; });
    return found == kTargets.end() ? nullptr : &*found;
}

std::string GameTargetWords() {
    std::string words;
    for (const GameTarget& target : kTargets) {
        words += (words.empty() ? "" : ", ") + std::string(target.word);
    }
    return words;
}

bool ReadsPlatform(const GameTarget& target, std::uint32_t platform) {
    return std::find(target.reads.begin(), target.reads.end(), platform) != target.reads.end();
}

bool ReadsVersion(const GameTarget& target, std::uint32_t versionWord) {
    return DecodeVersionWord(versionWord).version <= DecodeVersionWord(target.versionWord).version;
}

std::uint32_t PlatformOnTarget(const GameTarget& target, std::uint32_t platform) {
    return ReadsPlatform(target, platform) ? platform : target.platform;
}

std::vector<const GameTarget*> TargetsThatFit(const std::vector<std::uint32_t>& platforms,
                                              std::uint32_t versionWord) {
    std::vector<const GameTarget*> fit;
    for (const GameTarget& target : kTargets) {
        const bool readsAll = std::all_of(platforms.begin(), platforms.end(), [&](auto platform) {
            return ReadsPlatform(target, platform);
        });
        if (readsAll && ReadsVersion(target, versionWord)) {
            fit.push_back(&target);
        }
    }
    return fit;
}

std::optional<std::string> WhyVersionChangeRefused(std::uint32_t platform, std::uint32_t from,
                                                   std::uint32_t to) {
    const std::uint32_t a = DecodeVersionWord(from).version;
    const std::uint32_t b = DecodeVersionWord(to).version;
    for (const LayoutBoundary& boundary : kLayoutBoundaries) {
        if (boundary.platform == platform && (a < boundary.version) != (b < boundary.version)) {
            return "platform " + std::to_string(platform) +
                   " lays textures out differently below " + VersionText(boundary.version) +
                   ", and converting between the two is not " + "supported";
        }
    }
    return std::nullopt;
}

std::uint16_t DeviceIdFor(std::uint32_t platform) {
    for (const DeviceRow& row : kDevices) {
        if (row.platform == platform) {
            return row.device;
        }
    }
    return 0;
}

std::uint32_t PlatformOfEmptyDictionary(std::span<const std::uint8_t> file) {
    if (file.size() >= block::kDictionaryHeaderSize) {
        const std::uint16_t device = ReadLe16(file, kDeviceOffset);
        for (const DeviceRow& row : kDevices) {
            if (row.device == device) {
                return row.platform;
            }
        }
    }
    // Without a device, the version may name the platform: 3.4.0.3 only VC on PC writes. Where
    // games of several platforms share a version, platform 5 speaks for it if one of them is
    // on it, else the first target of the table that has it.
    const std::uint32_t word = DictionaryVersionWord(file);
    std::optional<std::uint32_t> found;
    for (const GameTarget& target : kTargets) {
        if (target.versionWord == word && FindLayout(target.platform) != nullptr) {
            if (target.platform == platform::kPlatform5) {
                return target.platform;
            }
            found = found.value_or(target.platform);
        }
    }
    return found.value_or(platform::kPlatform5);
}

std::vector<std::uint8_t> EmptyDictionaryFor(std::uint32_t platform, std::uint32_t versionWord) {
    std::vector<std::uint8_t> bytes = EmptyDictionaryBytes(versionWord);
    // Older library versions read the whole struct word as the count.
    const std::uint16_t device =
        DecodeVersionWord(versionWord).version >= kFirstDeviceVersion ? DeviceIdFor(platform) : 0;
    bytes[kDeviceOffset] = static_cast<std::uint8_t>(device);
    bytes[kDeviceOffset + 1] = static_cast<std::uint8_t>(device >> 8);
    return bytes;
}

}  // namespace tinplate
