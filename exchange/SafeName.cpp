// SPDX-License-Identifier: GPL-3.0-or-later
#include "SafeName.h"

#include <algorithm>
#include <optional>

#include "FileError.h"
#include "PrintableText.h"

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
