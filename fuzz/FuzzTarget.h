// SPDX-License-Identifier: GPL-3.0-or-later
// The entry point every fuzz target defines.
#pragma once

#include <cstddef>
#include <cstdint>

// Each fuzz target defines this; libFuzzer or the replay driver calls it with one input.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
