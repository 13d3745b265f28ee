// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers as messages show them: format words in hexadecimal, sides as "W x H".
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace tinplate {

inline std::string HexText(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

inline std::string SidesText(std::uint32_t width, std::uint32_t height) {
    return std::to_string(width) + " x " + std::to_string(height);
}

}  // namespace tinplate
