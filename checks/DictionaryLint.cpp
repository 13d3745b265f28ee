// SPDX-License-Identifier: GPL-3.0-or-later
// The rule groups run over a whole dictionary.
#include "checks/DictionaryLint.h"

#include <algorithm>

#include "checks/LintContext.h"
#include "checks/LintRules.h"
#include "txd/DictionaryReader.h"
#include "txd/LibraryVersion.h"

namespace tinplate {

namespace {

std::size_t RuleOrder(std::string_view name) {
    const auto rules = LintRules();
    return static_cast<std::size_t>(
        std::find_if(rules.begin(), rules.end(),
                     [&](const LintRule& entry) { return entry.name == name; }) -
        rules.begin());
}

LintedTexture Linted(std::span<const std::uint8_t> file, const std::vector<TextureEntry>& textures,
                     std::size_t index) {
    const TextureRecord& r = textures[index].record;
    LintedTexture texture{index, &textures[index], {}};
    if (!r.laidOutAnew && r.headerOffset < r.blockEnd && r.blockEnd <= file.size() &&
        r.blockEnd - r.headerOffset >= block::kPaletteOffset) {
        texture.block = file.subspan(r.headerOffset, r.blockEnd - r.headerOffset);
    }
    return texture;
}

}  // namespace

void FindingList::Add(const LintedTexture* texture, std::string_view rule, std::string message,
                      std::vector<FindingValue> values) {
    const LintRule* known = FindLintRule(rule);
    Finding finding;
    if (texture != nullptr) {
        finding.texture = texture->index;
        finding.textureName = texture->entry->name;
    }
    finding.rule = known->name;
    finding.severity = known->severity;
    finding.message = std::move(message);
    finding.values = std::move(values);
    m_findings.push_back(std::move(finding));
}

std::vector<Finding> FindingList::Sorted() && {
    std::stable_sort(m_findings.begin(), m_findings.end(), [](const Finding& a, const Finding& b) {
        const std::size_t fileLast = static_cast<std::size_t>(-1);
        const std::size_t at = a.texture.value_or(fileLast);
        const std::size_t bt = b.texture.value_or(fileLast);
        return at != bt ? at < bt : RuleOrder(a.rule) < RuleOrder(b.rule);
    });
    return std::move(m_findings);
}

std::vector<Finding> LintDictionary(std::span<const std::uint8_t> fileBytes,
                                    const std::vector<TextureEntry>& textures,
                                    const GameTarget* target,
                                    std::optional<std::uint32_t> versionWord) {
    std::vector<LintedTexture> linted;
    linted.reserve(textures.size());
    for (std::size_t i = 0; i < textures.size(); ++i) {
        linted.push_back(Linted(fileBytes, textures, i));
    }
    FindingList findings;
    CheckNames(linted, findings);
    for (const LintedTexture& texture : linted) {
        const std::vector<StoredLevel> levels = StoredLevels(texture.entry->record);
        CheckSizes(texture, levels, findings);
        CheckTexels(texture, levels, findings);
        CheckBlockLayout(texture, findings);
    }
    CheckDictionaryEnd(fileBytes, findings);
    CheckTarget(versionWord.value_or(DictionaryVersionWord(fileBytes)), linted, target, findings);
    return std::move(findings).Sorted();
}

}  // namespace tinplate
