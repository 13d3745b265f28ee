// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeName.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "FileError.h"

namespace {

bool IsControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

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

// The name as an error box can show it: control characters as \xNN.
std::string Printable(const std::string& name) {
    std::string shown;
    for (char c : name) {
        if (IsControlCharacter(c)) {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(c));
            shown += escaped;
        } else {
            shown += c;
        }
    }
    return shown;
}

}  // namespace

bool IsSafeFileName(const std::string& name) {
    return !WhyUnsafe(name).has_value();
}

void RequireSafeTextureName(const std::string& name) {
    if (auto reason = WhyUnsafe(name)) {
        throw FileError(Printable(name), *reason + "; no file is made from it");
    }
}
