// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// A JSON string literal, quotes included: quotes, backslashes and control characters
// escaped, valid UTF-8 kept as it is, and each byte that is not part of a valid UTF-8
// sequence written as \u00XX of that byte, so that a texture name (bytes from anyone) can
// never forge a string.
std::string JsonString(std::string_view bytes);
