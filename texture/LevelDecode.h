// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding one level of any kind into an RGBA picture.
#pragma once

#include <cstdint>
#include <span>

#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// One level of the texture (`level` holds exactly the bytes of a width x height level of its
// kind) as the window shows it: an uncompressed platform 5 texture's first stored row at the
// bottom, block-compressed rows and all rows of the Direct3D layouts from the top, palette
// entries looked up, DXT decoded by libsquish. A texture without alpha (UsesAlpha) gives
// opaque pixels. Empty for a kind of TexelKind::None.
RgbaImage DecodeLevel(const TextureRecord& record, std::span<const std::uint8_t> level,
                      std::uint32_t width, std::uint32_t height);

}  // namespace tinplate
