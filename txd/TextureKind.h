// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string_view>

#include "TextureRecord.h"

// The kinds a texture can be made in or converted to.
enum class TextureKind { kPalette256, kPalette32, kRgba32, kDxt1, kDxt3, kDxt5 };

// The words the command line uses: pal256, pal32, rgba32, dxt1, dxt3, dxt5.
std::string_view KindWord(TextureKind kind);
std::optional<TextureKind> KindFromWord(std::string_view word);

// The kind of a texture whose bytes fit its header; empty for every other texture.
std::optional<TextureKind> KindOf(const TextureRecord& record);
