// SPDX-License-Identifier: GPL-3.0-or-later
// The choice between Save in place and the whole-file writer.
#include "save/OpenedDictionarySave.h"

#include "save/DictionarySave.h"
#include "txd/DictionaryWriter.h"

namespace tinplate {

SavedDictionary SaveOpenedDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                                     std::span<const std::uint8_t> original,
                                     const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                     bool writtenWhole, const TextureSupplier& supply) {
    if (writtenWhole || supply || IsRestructured(original, textures)) {
        return {RewriteWholeDictionary(lock, opened, original, textures, supply), true};
    }
    return {SaveDictionary(lock, opened, original, textures, gfx), false};
}

SavedBytes SaveOpenedDictionaryBytes(const std::string& shownName,
                                     std::span<const std::uint8_t> original,
                                     const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                     bool writtenWhole, const TextureSupplier& supply) {
    if (writtenWhole || supply || IsRestructured(original, textures)) {
        std::vector<std::uint8_t> bytes;
        StreamDictionary(
            original, textures, shownName,
            [&](std::span<const std::uint8_t> piece) {
                bytes.insert(bytes.end(), piece.begin(), piece.end());
            },
            supply);
        return {std::move(bytes), true};
    }
    return {SavedDictionaryBytes(shownName, original, textures, gfx), false};
}

}  // namespace tinplate
