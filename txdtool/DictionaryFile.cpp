// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryFile.h"

#include <algorithm>

#include "DictionaryReader.h"
#include "DictionarySave.h"
#include "FileError.h"
#include "FileIo.h"
#include "Paths.h"

DictionaryFile::DictionaryFile(std::string argument)
    : m_argument(std::move(argument)),
      m_absolutePath(std::filesystem::absolute(m_argument)),
      m_bytes(ReadWholeFile(m_argument)),
      m_textures(ParseDictionary(m_bytes, m_argument)) {}

TextureEntry& DictionaryFile::Find(const std::string& name) {
    const auto named = [&](const TextureEntry& texture) { return texture.name == name; };
    const auto found = std::find_if(m_textures.begin(), m_textures.end(), named);
    if (found == m_textures.end()) {
        std::string present;
        for (const TextureEntry& texture : m_textures) {
            present += (present.empty() ? "" : ", ") + texture.name;
        }
        throw FileError(m_argument, "no texture is named \"" + name + "\"; " +
                                        (present.empty() ? "the dictionary holds no textures"
                                                         : "the textures are: " + present));
    }
    if (std::count_if(found, m_textures.end(), named) > 1) {
        throw FileError(m_argument,
                        "several textures are named \"" + name + "\"; the name must pick one");
    }
    return *found;
}

void DictionaryFile::EnterFolder() const {
    ChangeDirectory(m_absolutePath.parent_path(), m_argument);
}

void DictionaryFile::Save(GfxBinding& gfx) const {
    const std::string path = m_absolutePath.string();
    ReportingAs(path, m_argument, [&] { SaveDictionary(path, m_textures, gfx); });
}

std::string TextureAndKind(const TextureEntry& texture) {
    return TextureLabel(texture) + " (" +
           std::to_string(static_cast<std::uint16_t>(texture.record.depth)) + "-bit, compression " +
           std::to_string(texture.record.compression) + ")";
}
