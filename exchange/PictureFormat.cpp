// SPDX-License-Identifier: GPL-3.0-or-later
// Format names and extensions.
#include "exchange/PictureFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace tinplate {

namespace {

constexpr std::array<std::pair<std::string_view, PictureFormat>, 4> kFormats = {{
    {"png", PictureFormat::Png},
    {"tga", PictureFormat::Tga},
    {"dds", PictureFormat::Dds},
    {"bmp", PictureFormat::Bmp},
}};

}  // namespace

std::optional<PictureFormat> PictureFormatNamed(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const auto& [name, format] : kFormats) {
        if (lower == name) {
            return format;
        }
    }
    return std::nullopt;
}

std::string ExtensionOf(PictureFormat format) {
    for (const auto& [name, known] : kFormats) {
        if (known == format) {
            std::string extension(".");
            extension += name;
            return extension;
        }
    }
    return {};
}

}  // namespace tinplate
