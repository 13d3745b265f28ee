// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds a texture can be made in, with their words and descriptions.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "txd/TextureRecord.h"

namespace tinplate {

// The kinds a texture can be made in or converted to.
enum class TextureKind { kPalette256, kPalette32, kRgba32, kDxt1, kDxt3, kDxt5 };

// One stable word for each kind, the same in listings and on the command line: "pal8" (256
// colours), "pal8-32" (32 colours), "rgba32", "dxt1", "dxt3", "dxt5".
std::string_view KindWord(TextureKind kind);
std::optional<TextureKind> KindFromWord(std::string_view word);
// For people: "8-bit, 256 colours", "8-bit, 32 colours", "32-bit", "DXT1", "DXT3", "DXT5".
std::string_view KindDescription(TextureKind kind);

// The kind of a texture whose bytes fit its header; empty for every other texture.
std::optional<TextureKind> KindOf(const TextureRecord& record);

// A texture's kind as a word for scripts: KindWord's, "rgb16" and "rgb24" for the other
// uncompressed kinds, or "unknown" for a kind the editor gives no size to. It follows the
// reader: depth 8 is palette-indexed whatever the compression word says.
std::string_view KindWord(const TextureRecord& record);

// The same for people: "8-bit, 256 colours", "32-bit", "DXT1".
std::string KindDescription(const TextureRecord& record);

}  // namespace tinplate
