// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "TextureRecord.h"

// A texture's kind as one stable word for scripts: "pal8" (256 colours), "pal8-32" (32
// colours), "rgb16", "rgb24", "rgba32", "dxt1", "dxt3", "dxt5", or "unknown" for a kind the
// editor gives no size to. It follows the reader: depth 8 is palette-indexed whatever the
// compression word says.
std::string_view KindWord(const TextureRecord& record);

// The same for people: "8-bit, 256 colours", "32-bit", "DXT1".
std::string KindDescription(const TextureRecord& record);
