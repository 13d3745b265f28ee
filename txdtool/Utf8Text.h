// SPDX-License-Identifier: GPL-3.0-or-later
// Texture names in JSON: as text when they are UTF-8, always as hex.
#pragma once

#include <string>
#include <string_view>

namespace tinplate {

// Texture names are bytes from anyone: JSON gives them as text only when they are well-formed
// UTF-8, and always as hex, which no consumer can mistake for characters.
bool IsValidUtf8(std::string_view bytes);
std::string HexOf(std::string_view bytes);

}  // namespace tinplate
