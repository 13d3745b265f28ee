// SPDX-License-Identifier: GPL-3.0-or-later
// The dictionary against the game and platform it is meant for.
#include "checks/LintContext.h"
#include "checks/LintRules.h"
#include "txd/LibraryVersion.h"

namespace tinplate {

namespace {

std::string VersionShown(std::uint32_t word) {
    return VersionText(DecodeVersionWord(word).version);
}

}  // namespace

void CheckTarget(std::uint32_t version, std::span<const LintedTexture> textures,
                 const GameTarget* target, FindingList& findings) {
    if (target == nullptr) {
        std::vector<std::uint32_t> platforms;
        for (const LintedTexture& texture : textures) {
            platforms.push_back(texture.entry->record.platform);
        }
        std::string words;
        for (const GameTarget* fit : TargetsThatFit(platforms, version)) {
            words += (words.empty() ? "" : ", ") + std::string(fit->word);
        }
        findings.Add(nullptr, rule::kTargets,
                     "version " + VersionShown(version) +
                         (words.empty() ? "; no known game reads this dictionary as it is"
                                        : "; fits " + words));
        return;
    }
    for (const LintedTexture& texture : textures) {
        const std::uint32_t platform = texture.entry->record.platform;
        if (!ReadsPlatform(*target, platform)) {
            findings.Add(&texture, rule::kTargetPlatform,
                         std::string(target->title) + " does not read platform " +
                             std::to_string(platform) + " textures (it writes platform " +
                             std::to_string(target->platform) + ")",
                         {{"platform", platform}, {"target_platform", target->platform}});
        }
    }
    if (!ReadsVersion(*target, version)) {
        findings.Add(nullptr, rule::kTargetVersion,
                     "version " + VersionShown(version) + " is newer than " + target->title +
                         " reads (" + VersionShown(target->versionWord) + ")",
                     {{"version", version}, {"target_version", target->versionWord}});
    }
}

}  // namespace tinplate
