// SPDX-License-Identifier: GPL-3.0-or-later
// The picture formats Export As writes, by name and extension.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tinplate {

// The files Export As writes.
enum class PictureFormat { Png, Tga, Dds, Bmp };

// "png", "tga", "dds" or "bmp", in any case; nothing for another word.
std::optional<PictureFormat> PictureFormatNamed(std::string_view word);

// ".png", ".tga", ".dds" or ".bmp".
std::string ExtensionOf(PictureFormat format);

}  // namespace tinplate
