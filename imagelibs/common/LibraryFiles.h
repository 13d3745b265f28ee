// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Picture.h"

// File names arrive as the address of a NUL-terminated name in a 256-byte buffer. Empty when
// the word is null or no NUL lies within the buffer.
std::optional<std::string> NameFromWord(std::intptr_t word);

// The file's bytes, or empty when it cannot be read. Reads no more than any format here can
// use, so that a huge file costs no more than a well-formed one.
std::optional<std::vector<std::uint8_t>> ReadInputFile(const std::string& path);

// Writes `file` under a temporary name in the same folder and renames it into place, so that
// `path` is either the complete new file or untouched. False on any failure.
bool WriteOutputFile(const std::string& path, const EncodedFile& file);
