// SPDX-License-Identifier: GPL-3.0-or-later
// Steering the spy image library and reading its call log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tinplate {

// Steers the spy image library and reads its call log. Bind the code under test with
// GfxBinding(spy::kModuleName): the spy logs every call of `_bmpresize`, `_bmptoanys`,
// `_TargaFromDDS` and `_TargaToExtendedBitmap` and, unless told otherwise, hands it on to the
// real libmwgfx.so, so its outputs are real. Call Reset at the start of each test.
namespace spy {

inline constexpr const char* kModuleName = "tinplate_spy_gfx";

struct Call {
    std::string entry;
    // The file named second (for `_TargaFromDDS` the source, as the library takes it).
    std::string secondName;
    std::vector<std::intptr_t> numbers;  // the words after the block
};

// Forgets all calls and outcomes.
void Reset();

// From call `fromCall` of `entry` on (counted from 0 since Reset), the real library is not
// called and the call returns `result`: no output appears.
void MakeNoOutput(const std::string& entry, std::intptr_t result = 0, std::size_t fromCall = 0);

// The real library runs and then the file named second in each call of `entry` (the output of
// `_bmpresize` and `_TargaToExtendedBitmap`) is cut to `bytes`.
void MakeTruncatedOutput(const std::string& entry, std::uint64_t bytes);

std::vector<Call> Calls();

}  // namespace spy

}  // namespace tinplate
