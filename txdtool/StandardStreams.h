// SPDX-License-Identifier: GPL-3.0-or-later
// "-" as a file operand: standard input or output.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// "-" as a file operand: standard input where a dictionary is only read, standard output where
// a product is written.
inline bool IsStandardStream(const std::string& operand) {
    return operand == "-";
}

// Standard input to its end, or to one byte more than a dictionary may have, so that the reader
// refuses what is too large without the whole of it being held.
std::vector<std::uint8_t> ReadStandardInput();

// The dictionary an operand names, read and checked whole; "-" reads standard input to its end.
std::vector<TextureEntry> ReadDictionaryOperand(const std::string& operand);

// Writes `bytes` to standard output; a FileError names "-" when they do not all get there.
void WriteStandardOutput(std::span<const std::uint8_t> bytes);

}  // namespace tinplate
