// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The last call that reached the test double "gfxdouble", and what its value entry points
// return: a result with bits in the upper half, to catch a binding that keeps 32 of them.
struct RecordedCall {
    char name[64];
    int wordCount;
    std::intptr_t words[9];
};

inline constexpr std::intptr_t kDoubleResult = 0x0123456789ABCDEF;

// The one entry point of the table that the double does not export.
inline constexpr const char* kWithheldEntryPoint = "_TargaFlip";

extern "C" RecordedCall* GfxDoubleLastCall();
