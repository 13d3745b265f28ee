// SPDX-License-Identifier: GPL-3.0-or-later
// What the test double of the image library returns.
#pragma once

#include <cstdint>

namespace tinplate {

// What the value entry points of the test double "gfxdouble" return: a result with bits in the
// upper half, to catch a binding that keeps 32 of them.
inline constexpr std::intptr_t kDoubleResult = 0x0123456789ABCDEF;

// The one entry point of the table that the double does not export.
inline constexpr const char* kWithheldEntryPoint = "_TargaFlip";

}  // namespace tinplate
