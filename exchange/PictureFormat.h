// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The files Export As writes.
enum class PictureFormat { Png, Tga, Dds, Bmp };

// "png", "tga", "dds" or "bmp", in any case; nothing for another word.
std::optional<PictureFormat> PictureFormatNamed(std::string_view word);

// ".png", ".tga", ".dds" or ".bmp".
std::string ExtensionOf(PictureFormat format);
