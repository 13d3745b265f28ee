// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

// Texture names are bytes from anyone: JSON gives them as text only when they are well-formed
// UTF-8, and always as hex, which no consumer can mistake for characters.
bool IsValidUtf8(std::string_view bytes);
std::string HexOf(std::string_view bytes);
