// SPDX-License-Identifier: GPL-3.0-or-later
// How a texture's level bytes hold its colours.
#pragma once

#include "txd/TextureRecord.h"

namespace tinplate {

// How a texture's level bytes hold its colours. Uncompressed texels are little-endian words
// with blue in the lowest bits (the bitmap order the editor shows them in); palettes hold
// B, G, R, A entries.
enum class TexelKind {
    Palette,   // depth 8: one index a pixel
    Rgb565,    // depth 16
    Argb1555,  // depth 16, format word 0x0100
    Argb4444,  // depth 16, format word 0x0300
    Rgb888,    // depth 24
    Argb8888,  // depth 32
    Dxt1,
    Dxt3,
    Dxt5,
    None,  // no picture can be made of it
};

TexelKind TexelKindOf(const TextureRecord& record);

inline bool IsDxt(TexelKind kind) {
    return kind == TexelKind::Dxt1 || kind == TexelKind::Dxt3 || kind == TexelKind::Dxt5;
}

// Whether the texture's alpha counts: its alpha word is not 0 (files hold other values than
// 1 for Yes too, and their texels carry real alpha) and its kind has alpha bits. Pictures of a
// texture without alpha are opaque.
bool UsesAlpha(const TextureRecord& record);

}  // namespace tinplate
