// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "GfxBinding.h"
#include "TextureRecord.h"

// One dictionary as File > Open reads it, and what the commands do around it: find a texture
// by name, work in the dictionary's folder, save as File > Save does.
class DictionaryFile {
public:
    // Reads and checks the whole file; a FileError names `argument` as the user typed it. The
    // path is made absolute now, so that the current directory may change afterwards.
    explicit DictionaryFile(std::string argument);

    const std::string& shownName() const { return m_argument; }
    std::vector<TextureEntry>& textures() { return m_textures; }
    // The file as it was read, which the whole-file writer copies untouched blocks from.
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

    // The one texture of exactly this name; a FileError lists the names present when there is
    // none, and refuses a name that several textures share.
    TextureEntry& Find(const std::string& name);

    // The folder the window works in once it has opened the dictionary.
    void EnterFolder() const;

    // File > Save of every texture; on failure the file is as it was.
    void Save(GfxBinding& gfx) const;

private:
    std::string m_argument;
    std::filesystem::path m_absolutePath;
    std::vector<std::uint8_t> m_bytes;
    std::vector<TextureEntry> m_textures;
};

// texture "NAME" (16-bit, compression 0): the texture and what makes its kind, for messages
// about kinds.
std::string TextureAndKind(const TextureEntry& texture);
