// SPDX-License-Identifier: GPL-3.0-or-later
// The entry points of the linked image library "mwdds".
#pragma once

#include <cstdint>

// The two entry points of the image library "mwdds", linked normally (CMake target mwdds).
// Both take file names as NameBuffer words and return 0 on success.
extern "C" {
// Writes the Targa `src` as an uncompressed 32-bit DDS `dst`: alphaMode 11 keeps the alpha
// channel (A8R8G8B8), 10 marks it unused (X8R8G8B8).
std::intptr_t TGAtoDDS(std::intptr_t src, std::intptr_t alphaMode, std::intptr_t, std::intptr_t,
                       std::intptr_t dst);
// Writes the 32-bit Targa `src` as a 32-bit bitmap `dst` whose pixels start at byte 74.
std::intptr_t TGAcompressBMP(std::intptr_t src, std::intptr_t, std::intptr_t, std::intptr_t,
                             std::intptr_t dst);
}
