// SPDX-License-Identifier: GPL-3.0-or-later
// Saving a dictionary in place: every texture written back over its old bytes.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"
#include "gfxlib/GfxBinding.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Writes every texture back over the bytes it was read from: its alpha word, palette and
// first level; an 8-bit texture with several levels whose palette or first level differ from
// `original` (the dictionary's bytes as they were read) also gets its smaller levels rebuilt
// from the first by the image library's `_bmpresize` in the working folder, and every other
// texture its smaller levels as the record holds them. Nothing else in the file changes. The
// dictionary is the one `lock` holds, which must still be the `opened` one (else
// ChangedOnDiskError); it is replaced whole (see RewriteDictionary), so any failure (a FileError,
// naming the texture when one is at fault) leaves it as it was and no working file behind. An empty
// list writes nothing. Returns the identity of the file now on disk, what the next Save compares
// with.
FileIdentity SaveDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                            std::span<const std::uint8_t> original,
                            const std::vector<TextureEntry>& textures, GfxBinding& gfx);

// The same save made on a copy of `original` in memory, for a dictionary that is no file of its
// own (an entry of an archive): returns the bytes the dictionary then holds.
std::vector<std::uint8_t> SavedDictionaryBytes(const std::string& shownName,
                                               std::span<const std::uint8_t> original,
                                               const std::vector<TextureEntry>& textures,
                                               GfxBinding& gfx);

}  // namespace tinplate
