// SPDX-License-Identifier: GPL-3.0-or-later
// Checking texture names for file safety, length, characters and clashes.
#include "edits/TextureName.h"

#include <algorithm>

#include "fileio/FileError.h"
#include "fileio/PrintableText.h"

namespace tinplate {

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    const auto lower = [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

std::optional<std::string> WhyUnsafe(const std::string& name) {
    if (name.empty()) {
        return "the texture has no name";
    }
    if (name == "." || name == "..") {
        return "the texture name \"" + name + "\" names a folder";
    }
    if (name.find_first_of("/\\") != std::string::npos) {
        return "the texture name holds a folder separator";
    }
    if (std::any_of(name.begin(), name.end(), IsControlCharacter)) {
        return "the texture name holds a control character";
    }
    return std::nullopt;
}

bool IsSafeFileName(const std::string& name) {
    return !WhyUnsafe(name).has_value();
}

void RequireSafeTextureName(const std::string& name) {
    if (auto reason = WhyUnsafe(name)) {
        throw FileError(PrintableText(name), *reason + "; no file is made from it");
    }
}

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

}  // namespace tinplate
