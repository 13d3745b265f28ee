// SPDX-License-Identifier: GPL-3.0-or-later
#include "TextureName.h"

#include <algorithm>

#include "PrintableText.h"
#include "SafeName.h"

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<std::string> WhyNotTextureName(const std::string& name,
                                             const std::vector<TextureEntry>& textures,
                                             std::optional<std::size_t> renamed) {
    if (auto unsafe = WhyUnsafe(name)) {
        return unsafe;
    }
    const std::string shown = "the name \"" + PrintableText(name) + "\"";
    if (name.size() > kMaxTextureNameBytes) {
        return shown + " is longer than " + std::to_string(kMaxTextureNameBytes) + " bytes";
    }
    if (!std::all_of(name.begin(), name.end(), [](char c) { return c >= 0x20 && c <= 0x7E; })) {
        return shown + " holds a byte that is not printable ASCII";
    }
    for (std::size_t i = 0; i < textures.size(); ++i) {
        if (i != renamed && SameIgnoringCase(textures[i].name, name)) {
            return shown + " is taken by texture \"" + PrintableText(textures[i].name) + "\"";
        }
    }
    return std::nullopt;
}
