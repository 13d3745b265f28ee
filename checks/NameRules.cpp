// SPDX-License-Identifier: GPL-3.0-or-later
// Names as games look textures up: by at most 31 bytes of printable text, case ignored.
#include <algorithm>
#include <map>

#include "checks/LintContext.h"
#include "checks/LintRules.h"

namespace tinplate {

namespace {

// The name field holds 32 bytes with the terminating zero.
constexpr std::size_t kLongestName = 31;

bool IsPrintableAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c <= 0x7E; });
}

std::string Folded(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return folded;
}

void CheckText(const LintedTexture& texture, const std::string& text, const std::string& what,
               FindingList& findings) {
    if (text.size() > kLongestName) {
        findings.Add(&texture, rule::kNameLength,
                     "the " + what + " is " + std::to_string(text.size()) +
                         " bytes long; games read at most " + std::to_string(kLongestName),
                     {{"length", static_cast<std::int64_t>(text.size())}});
    }
    if (!IsPrintableAscii(text)) {
        findings.Add(&texture, rule::kNameAscii,
                     "the " + what + " holds bytes other than printable ASCII");
    }
}

}  // namespace

void CheckNames(std::span<const LintedTexture> textures, FindingList& findings) {
    std::map<std::string, const LintedTexture*> seen;
    for (const LintedTexture& texture : textures) {
        const std::string& name = texture.entry->name;
        if (name.empty()) {
            findings.Add(&texture, rule::kNameEmpty, "the name is empty");
        }
        CheckText(texture, name, "name", findings);
        CheckText(texture, texture.entry->record.maskName, "mask name", findings);
        const auto [first, isNew] = seen.emplace(Folded(name), &texture);
        if (!isNew && !name.empty()) {
            findings.Add(&texture, rule::kNameDuplicate,
                         "texture " + std::to_string(first->second->index) + " is named \"" +
                             first->second->entry->name +
                             "\" too, ignoring case; games find only the first",
                         {{"other", static_cast<std::int64_t>(first->second->index)}});
        }
    }
}

}  // namespace tinplate
