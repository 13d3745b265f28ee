// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a dictionary, finding textures by name and saving it.
#include "txdtool/DictionaryFile.h"

#include <algorithm>
#include <filesystem>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "txdtool/Paths.h"
#include "txdtool/StandardStreams.h"

namespace tinplate {

DictionaryFile::DictionaryFile(std::string argument, Use use)
    : m_argument(std::move(argument)),
      m_absolutePath(std::filesystem::absolute(m_argument).string()) {
    if (use == Use::Read && IsStandardStream(m_argument)) {
        m_dictionary.emplace(ReadStandardInput(), m_argument);
        return;
    }
    const DictionaryPlace place = PlaceOf(m_argument);
    if (place.InArchive()) {
        m_dictionary.emplace(place, use);
        return;
    }
    ReportingAs(m_absolutePath, m_argument, [&] {
        m_dictionary.emplace(DictionaryPlace{m_absolutePath, {}}, use);
    });
}

TextureEntry& DictionaryFile::Find(const std::string& name) {
    const auto named = [&](const TextureEntry& texture) { return texture.name == name; };
    std::vector<TextureEntry>& list = textures();
    const auto found = std::find_if(list.begin(), list.end(), named);
    if (found == list.end()) {
        std::string present;
        for (const TextureEntry& texture : list) {
            present += (present.empty() ? "" : ", ") + texture.name;
        }
        throw FileError(m_argument, "no texture is named \"" + name + "\"; " +
                                        (present.empty() ? "the dictionary holds no textures"
                                                         : "the textures are: " + present));
    }
    if (std::count_if(found, list.end(), named) > 1) {
        throw FileError(m_argument,
                        "several textures are named \"" + name + "\"; the name must pick one");
    }
    return *found;
}

void DictionaryFile::Save(GfxBinding& gfx) {
    try {
        ReportingAs(m_absolutePath, m_argument,
                    [&] { m_dictionary->Save(m_dictionary->textures(), gfx, m_supply); });
    } catch (const FolderRefusedError&) {
        // Written in place, a whole new list could be cut short; only a new file is safe.
        throw FileError("", "cannot make a file in " + FolderShown(m_argument) +
                                " (needed to replace " + m_argument + " safely)");
    }
}

void DictionaryFile::ReplaceOriginal(std::vector<std::uint8_t> bytes) {
    m_dictionary->ReplaceBytes(std::move(bytes));
}

std::string TextureAndKind(const TextureEntry& texture) {
    return TextureLabel(texture) + " (" +
           std::to_string(static_cast<std::uint16_t>(texture.record.depth)) + "-bit, compression " +
           std::to_string(texture.record.compression) + ")";
}

}  // namespace tinplate
