// SPDX-License-Identifier: GPL-3.0-or-later
// Escaping control characters for terminals and message boxes.
#include "fileio/PrintableText.h"

#include <cstdio>

namespace tinplate {

bool IsControlCharacter(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

std::string PrintableText(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (char c : text) {
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

}  // namespace tinplate
