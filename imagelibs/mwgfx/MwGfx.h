// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the run-time image library "mwgfx".
#pragma once

#include <cstdint>

// The entry points of the run-time image library "mwgfx" (libmwgfx.so). The editor reaches
// them by name through GfxBinding. File names are addresses of NUL-terminated names in
// 256-byte buffers; `block` is a 1024-byte scratch block that is not used.
extern "C" {
// Decodes the DDS `src` (DXT1, DXT3, DXT5 or uncompressed 32-bit) into the 32-bit bitmap
// `dst`. Non-zero on success.
std::intptr_t _anytobmps(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t,
                         std::intptr_t);
// Scales the 8- or 32-bit bitmap `src` to width × height into `dst` (which may be `src`).
void _bmpresize(std::intptr_t src, std::intptr_t dst, std::intptr_t block, std::intptr_t width,
                std::intptr_t height);
// Writes the 8- or 32-bit bitmap `src` as the Targa dst + ".tga". Non-zero on success.
std::intptr_t _bmptoanys(std::intptr_t src, std::intptr_t dstBase, std::intptr_t block,
                         std::intptr_t, std::intptr_t);
// Decodes the DDS `src` into the 32-bit Targa `dst`. 0 on success.
std::intptr_t _TargaFromDDS(std::intptr_t dst, std::intptr_t src, std::intptr_t block);
// Writes the colour-mapped Targa `src` as the 8-bit bitmap `dst` whose colour table holds the
// map. Non-zero on success; 0 for anything else, true-colour Targa images included.
std::intptr_t _TargaToExtendedBitmap(std::intptr_t src, std::intptr_t dst, std::intptr_t block,
                                     std::intptr_t);
}
