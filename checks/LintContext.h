// SPDX-License-Identifier: GPL-3.0-or-later
// What the groups of lint rules share: the texture under check and the list findings go to.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "checks/Finding.h"
#include "checks/StoredLevels.h"
#include "txd/GameTargets.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct LintedTexture {
    std::size_t index = 0;
    const TextureEntry* entry = nullptr;
    // The texture's block in the file; empty when it is laid out anew.
    std::span<const std::uint8_t> block;
};

class FindingList {
public:
    // `texture` nullptr: a finding about the file as a whole. The rule gives the severity.
    void Add(const LintedTexture* texture, std::string_view rule, std::string message,
             std::vector<FindingValue> values = {});
    // In the order DictionaryLint promises.
    std::vector<Finding> Sorted() &&;

private:
    std::vector<Finding> m_findings;
};

// Empty, too long, not printable, the same as another's ignoring case.
void CheckNames(std::span<const LintedTexture> textures, FindingList& findings);
// Sides against the platform, DXT blocks, the level count.
void CheckSizes(const LintedTexture& texture, std::span<const StoredLevel> levels,
                FindingList& findings);
// Alpha against the flag, palette use, levels against their larger neighbours.
void CheckTexels(const LintedTexture& texture, std::span<const StoredLevel> levels,
                 FindingList& findings);
// What the reader lets pass in a texture's block: chunks of other types, size words that
// disagree with what they measure.
void CheckBlockLayout(const LintedTexture& texture, FindingList& findings);
// What follows the last texture block.
void CheckDictionaryEnd(std::span<const std::uint8_t> file, FindingList& findings);
// Platforms and the version against the game target (nullptr: a note naming the targets the
// dictionary fits).
void CheckTarget(std::uint32_t versionWord, std::span<const LintedTexture> textures,
                 const GameTarget* target, FindingList& findings);

}  // namespace tinplate
