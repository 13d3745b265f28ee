// SPDX-License-Identifier: GPL-3.0-or-later
// A dictionary given another library version and, for a game, the platforms that game reads.
#include "pixelops/TargetConversion.h"

#include "pixelops/PlatformConversion.h"
#include "txd/LibraryVersion.h"

namespace tinplate {

std::optional<TargetChoice> ParseTargetChoice(const std::string& word) {
    if (const GameTarget* game = FindGameTarget(word)) {
        return TargetChoice{game, game->versionWord};
    }
    if (const auto version = ParseVersionWord(word)) {
        return TargetChoice{nullptr, *version};
    }
    return std::nullopt;
}

TargetedTextures Targeted(const std::vector<TextureEntry>& textures, std::uint32_t fromVersion,
                          const TargetChoice& choice, std::optional<TexelOrder> order) {
    TargetedTextures targeted;
    targeted.textures.reserve(textures.size());
    for (const TextureEntry& texture : textures) {
        const std::uint32_t platform = texture.record.platform;
        const std::uint32_t to = choice.game ? PlatformOnTarget(*choice.game, platform) : platform;
        for (const std::uint32_t id : {platform, to}) {
            if (const auto why = WhyVersionChangeRefused(id, fromVersion, choice.versionWord)) {
                throw ConversionRefused(TextureLabel(texture) + ": " + *why);
            }
        }
        if (to == platform) {
            targeted.textures.push_back(texture);
            continue;
        }
        targeted.textures.push_back(
            {texture.name, ConvertedToPlatform(texture, to, order)});
        targeted.convertedNames.push_back(texture.name);
    }
    return targeted;
}

}  // namespace tinplate
