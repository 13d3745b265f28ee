// SPDX-License-Identifier: GPL-3.0-or-later
// Names from files shown printable, so that they can forge no line or field.
#pragma once

#include <string>
#include <string_view>

namespace tinplate {

// Texture names and file names come from files and folders, so from anyone. Whatever of them
// reaches a terminal or a message box is shown printable, so that a name can never forge a
// line or a field.

// Bytes below 0x20 and DEL.
bool IsControlCharacter(char c);

// Control characters as \xNN; every other byte as it is.
std::string PrintableText(std::string_view text);

}  // namespace tinplate
