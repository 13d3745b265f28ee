// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Texture names are bytes from the file, so from anyone. Whatever of them reaches a terminal
// or a JSON reader is escaped, so that a name can never forge a line, a field or a string.

// Control characters as \xNN; every other byte as it is.
std::string PrintableText(std::string_view text);

// A JSON string literal, quotes included: quotes, backslashes and control characters
// escaped, valid UTF-8 kept as it is, and each byte that is not part of a valid UTF-8
// sequence written as \u00XX of that byte.
std::string JsonString(std::string_view bytes);
