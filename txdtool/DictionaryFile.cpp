// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a dictionary, finding textures by name and saving it.
#include "txdtool/DictionaryFile.h"

#include <algorithm>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "save/OpenedDictionarySave.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txdtool/Paths.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

DictionaryFile::DictionaryFile(std::string argument, Use use)
    : m_argument(std::move(argument)), m_absolutePath(std::filesystem::absolute(m_argument)) {
    if (use == Use::Read && IsStandardStream(m_argument)) {
        m_input = ReadStandardInput();
        m_textures = ParseDictionary(m_input, m_argument);
        return;
    }
    if (use == Use::Edit) {
        const std::string path = m_absolutePath.string();
        ReportingAs(path, m_argument, [&] { m_lock.emplace(path); });
        m_opened = IdentityOf(m_lock->fd(), m_argument);
    }
    MappedDictionary read = ReadMappedDictionary(m_argument);
    m_file = std::move(read.file);
    m_textures = std::move(read.textures);
}

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

void DictionaryFile::Save(GfxBinding& gfx) {
    try {
        ReportingAs(m_absolutePath.string(), m_argument, [&] {
            const SavedDictionary saved = SaveOpenedDictionary(
                *m_lock, m_opened, bytes(), m_textures, gfx, m_writtenWhole, m_supply);
            m_opened = saved.identity;
            m_writtenWhole = saved.writtenWhole;
        });
    } catch (const FolderRefusedError&) {
        // Written in place, a whole new list could be cut short; only a new file is safe.
        throw FileError("", "cannot make a file in " + FolderShown(m_argument) +
                                " (needed to replace " + m_argument + " safely)");
    }
}

void DictionaryFile::ReplaceOriginal(std::vector<std::uint8_t> bytes) {
    // The records' shared bytes keep the mapping alive for as long as they need it.
    m_file.reset();
    m_input = std::move(bytes);
    m_writtenWhole = true;
}

std::string TextureAndKind(const TextureEntry& texture) {
    return TextureLabel(texture) + " (" +
           std::to_string(static_cast<std::uint16_t>(texture.record.depth)) + "-bit, compression " +
           std::to_string(texture.record.compression) + ")";
}

}  // namespace tinplate
