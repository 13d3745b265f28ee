// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a whole dictionary from its texture list.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Writes a whole dictionary: its header with the texture count, one block per texture in list
// order, and the closing extension chunk. A texture read from `original` and not laid out anew
// is its old block byte for byte (unknown chunks, mask name, platform word, padding and flags
// alike) with only what in-place edits change put in: the alpha word, the palette, the levels,
// and the name when it was renamed. A texture laid out anew gets a fresh block: header,
// palette, every level, the level-data size word, the extension chunk. `original` is the file
// the textures were read from (empty for a new dictionary); its header and the bytes after its
// last block are kept too, so an unedited dictionary is written back identical. A FileError
// naming `fileName` says what cannot be written.

using DictionarySink = std::function<void(std::span<const std::uint8_t>)>;

// Where set, gives the texture to write in place of textures[index] when that one is laid out
// anew, made just before its block is written and dropped after it: level bytes that exist
// only while they are written. It must lay out a block of the same size as textures[index].
using TextureSupplier = std::function<TextureEntry(std::size_t index)>;

// Hands the new file's bytes to `sink` in order, in pieces that point into `original` and the
// records wherever they can, so that no second copy of the dictionary is made.
void StreamDictionary(std::span<const std::uint8_t> original,
                      const std::vector<TextureEntry>& textures, const std::string& fileName,
                      const DictionarySink& sink, const TextureSupplier& supply = {});

std::vector<std::uint8_t> DictionaryBytes(std::span<const std::uint8_t> original,
                                          const std::vector<TextureEntry>& textures,
                                          const std::string& fileName);

// Whether the list no longer matches `original` block for block (a texture added, removed,
// moved, renamed or laid out anew), so that only the whole-file writer can save it.
bool IsRestructured(std::span<const std::uint8_t> original,
                    const std::vector<TextureEntry>& textures);

// Save of the dictionary `lock` holds, written whole: refused (ChangedOnDiskError) when the
// file is no longer the `opened` one, and for a file the user may not write. The new file is
// built beside it and put in its place in one step, its mode kept; any failure leaves the old
// one as it was. Returns the identity of the file now on disk.
FileIdentity RewriteWholeDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                                    std::span<const std::uint8_t> original,
                                    const std::vector<TextureEntry>& textures,
                                    const TextureSupplier& supply = {});

// Save As: creates `path` or replaces it in one step (an existing file's mode kept, under its
// dictionary lock). Returns the identity of the file written.
FileIdentity WriteDictionaryFile(const std::string& path, std::span<const std::uint8_t> original,
                                 const std::vector<TextureEntry>& textures);

}  // namespace tinplate
