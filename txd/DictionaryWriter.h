// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "TextureRecord.h"

// Writes a whole dictionary: its header with the texture count, one block per texture in list
// order, and the closing extension chunk. A texture read from `original` and not laid out anew
// is its old block byte for byte (unknown chunks, mask name, platform word, padding and flags
// alike) with only what in-place edits change put in: the alpha word, the palette, the first
// level, and the name when it was renamed. A texture laid out anew gets a fresh block: header,
// palette, every level, the level-data size word, the extension chunk. `original` is the file
// the textures were read from (empty for a new dictionary); its header and the bytes after its
// last block are kept too, so an unedited dictionary is written back identical. A FileError
// naming `fileName` says what cannot be written.

using DictionarySink = std::function<void(std::span<const std::uint8_t>)>;

// Hands the new file's bytes to `sink` in order, in pieces that point into `original` and the
// records wherever they can, so that no second copy of the dictionary is made.
void StreamDictionary(std::span<const std::uint8_t> original,
                      const std::vector<TextureEntry>& textures, const std::string& fileName,
                      const DictionarySink& sink);

std::vector<std::uint8_t> DictionaryBytes(std::span<const std::uint8_t> original,
                                          const std::vector<TextureEntry>& textures,
                                          const std::string& fileName);

// Creates or replaces `path` with the dictionary.
void WriteDictionaryFile(const std::string& path, std::span<const std::uint8_t> original,
                         const std::vector<TextureEntry>& textures);
