// SPDX-License-Identifier: GPL-3.0-or-later
// One dictionary as File > Open reads it, and Save as File > Save does it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/OpenedDictionary.h"
#include "gfxlib/GfxBinding.h"
#include "txd/DictionaryWriter.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// One dictionary as File > Open reads it, and what the commands do around it: find a texture
// by name, save as File > Save does.
class DictionaryFile {
public:
    using Use = OpenedDictionary::Use;

    // Reads and checks the whole dictionary, a file or an archive's entry ("ARCHIVE.img:ENTRY",
    // see PlaceOf); a FileError names `argument` as the user typed it. The path is made
    // absolute now, so that the current directory may change afterwards. "-" reads standard
    // input, whose folder is the current directory. For editing, the dictionary lock (the
    // archive's, for an entry) is taken before reading and held until the object goes.
    explicit DictionaryFile(std::string argument, Use use = Use::Read);

    const std::string& shownName() const { return m_argument; }
    std::vector<TextureEntry>& textures() { return m_dictionary->textures(); }
    // The file as it was read, which the whole-file writer copies untouched blocks from.
    std::span<const std::uint8_t> bytes() const { return m_dictionary->bytes(); }

    // The one texture of exactly this name; a FileError lists the names present when there is
    // none, and refuses a name that several textures share.
    TextureEntry& Find(const std::string& name);

    // File > Save of every texture, opened for editing (SaveOpenedDictionary); on failure the
    // file is as it was.
    void Save(GfxBinding& gfx);
    // The next Save writes each texture as `supply` gives it (see StreamDictionary).
    void SupplyWhenWritten(TextureSupplier supply) { m_supply = std::move(supply); }
    // The next Save writes the file whole from `bytes`, which must hold every block where
    // the file read did (the records keep their offsets): another version on every chunk.
    void ReplaceOriginal(std::vector<std::uint8_t> bytes);

private:
    std::string m_argument;
    std::string m_absolutePath;
    std::optional<OpenedDictionary> m_dictionary;
    TextureSupplier m_supply;
};

// texture "NAME" (16-bit, compression 0): the texture and what makes its kind, for messages
// about kinds.
std::string TextureAndKind(const TextureEntry& texture);

}  // namespace tinplate
