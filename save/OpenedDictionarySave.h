// SPDX-License-Identifier: GPL-3.0-or-later
// File > Save of an opened dictionary: in place while its blocks allow it, else written whole.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"
#include "gfxlib/GfxBinding.h"
#include "txd/DictionaryWriter.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct SavedDictionary {
    FileIdentity identity;  // of the file now on disk: what the next Save compares with
    bool writtenWhole;      // the file no longer matches `original`: later saves write it whole
};

// Saves the dictionary `lock` holds, read from the bytes `original` when it was `opened`. A
// dictionary whose blocks still lie where they were read is saved in place (SaveDictionary),
// as it always was; any other is written whole (RewriteWholeDictionary), and so is every later
// save of that opening, which `writtenWhole` tells. A `supply` of the textures as they are
// written (see StreamDictionary) is for textures laid out anew, so it means a whole write.
SavedDictionary SaveOpenedDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                                     std::span<const std::uint8_t> original,
                                     const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                     bool writtenWhole, const TextureSupplier& supply = {});

// The same decision for a dictionary that is no file of its own (an entry of an archive):
// the bytes Save makes of it, in place or whole.
struct SavedBytes {
    std::vector<std::uint8_t> bytes;
    bool writtenWhole;
};
SavedBytes SaveOpenedDictionaryBytes(const std::string& shownName,
                                     std::span<const std::uint8_t> original,
                                     const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                     bool writtenWhole, const TextureSupplier& supply = {});

}  // namespace tinplate
