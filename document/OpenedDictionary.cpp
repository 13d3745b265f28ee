// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a dictionary where it lives and saving it back there.
#include "document/OpenedDictionary.h"

#include <filesystem>

#include "fileio/FileError.h"
#include "save/OpenedDictionarySave.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

OpenedDictionary::OpenedDictionary(DictionaryPlace place, Use use, Residence residence)
    : m_place(std::move(place)), m_absolutePath(std::filesystem::absolute(m_place.path).string()) {
    if (m_place.InArchive()) {
        std::optional<Archive> read;
        if (use == Use::Edit) {
            m_archive = std::make_unique<ArchiveWriter>(m_place.path);
        } else {
            read.emplace(Archive::Open(m_place.path));
        }
        const Archive& archive = m_archive ? m_archive->archive() : *read;
        const auto index = archive.Find(m_place.entry);
        if (!index) {
            throw FileError(m_place.path, "holds no entry called " + m_place.entry);
        }
        m_ownBytes = archive.ReadContent(*index);
        m_textures = ParseDictionary(m_ownBytes, m_place.Shown());
        m_openedEntry = EntryOf(archive);
        return;
    }
    if (use == Use::Edit) {
        m_lock.emplace(m_absolutePath);
        m_opened = IdentityOf(m_lock->fd(), m_place.path);
    } else {
        // What is read can only be newer than the identity taken before it, never older.
        m_opened = IdentityOf(m_place.path);
    }
    MappedDictionary read = ReadMappedDictionary(m_place.path, residence);
    m_file = std::move(read.file);
    m_textures = std::move(read.textures);
}

OpenedDictionary::OpenedDictionary(std::vector<std::uint8_t> bytes, const std::string& shownName)
    : m_place{shownName, {}}, m_ownBytes(std::move(bytes)) {
    m_textures = ParseDictionary(m_ownBytes, shownName);
}

OpenedDictionary::OpenedDictionary() = default;

OpenedDictionary::~OpenedDictionary() = default;

std::span<const std::uint8_t> OpenedDictionary::bytes() const {
    return m_file ? m_file->bytes() : std::span<const std::uint8_t>(m_ownBytes);
}

OpenedDictionary::EntryIdentity OpenedDictionary::EntryOf(const Archive& archive) const {
    const auto index = archive.Find(m_place.entry);
    if (!index) {
        return {};
    }
    const ArchiveEntry& entry = archive.entries()[*index];
    return {archive.identity().device, archive.identity().inode, entry.offset, entry.sectors};
}

bool OpenedDictionary::ChangedOnDisk() const {
    try {
        if (m_place.InArchive()) {
            return EntryOf(m_archive ? m_archive->archive() : Archive::Open(m_place.path)) !=
                   m_openedEntry;
        }
        return IdentityOf(m_absolutePath) != m_opened;
    } catch (const FileError&) {
        return true;
    }
}

void OpenedDictionary::Save(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                            const TextureSupplier& supply) {
    if (m_place.InArchive()) {
        SaveEntry(textures, gfx, supply);
    } else {
        SaveFile(textures, gfx, supply);
    }
}

void OpenedDictionary::SaveFile(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                const TextureSupplier& supply) {
    std::optional<DictionaryLock> saving;
    const DictionaryLock& lock = m_lock ? *m_lock : saving.emplace(m_absolutePath);
    const SavedDictionary saved =
        SaveOpenedDictionary(lock, m_opened, bytes(), textures, gfx, m_writtenWhole, supply);
    m_opened = saved.identity;
    m_writtenWhole = saved.writtenWhole;
}

void OpenedDictionary::SaveEntry(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                                 const TextureSupplier& supply) {
    std::unique_ptr<ArchiveWriter> saving;
    ArchiveWriter& writer =
        m_archive ? *m_archive : *(saving = std::make_unique<ArchiveWriter>(m_place.path));
    if (EntryOf(writer.archive()) != m_openedEntry) {
        throw ChangedOnDiskError(m_place.Shown());
    }
    const SavedBytes saved =
        SaveOpenedDictionaryBytes(m_place.Shown(), bytes(), textures, gfx, m_writtenWhole, supply);
    writer.Put(m_place.entry, saved.bytes);
    m_openedEntry = EntryOf(writer.archive());
    m_writtenWhole = saved.writtenWhole;
}

// Save itself refuses a changed file; Save As, and new bytes made from the old, would copy
// what another program changed.
void OpenedDictionary::RequireIntact() const {
    if (m_file && !m_file->Intact()) {
        throw FileError(m_place.Shown(),
                        "was changed in place or cut short by another program while it was open, "
                        "so the textures not edited since are lost; nothing was saved");
    }
}

void OpenedDictionary::ReplaceBytes(std::vector<std::uint8_t> bytes) {
    RequireIntact();
    // Records read from the mapping hold it themselves; the others own their bytes.
    m_file.reset();
    m_ownBytes = std::move(bytes);
    m_writtenWhole = true;
}

void OpenedDictionary::SaveAs(const std::string& path, const std::vector<TextureEntry>& textures) {
    RequireIntact();
    m_opened = WriteDictionaryFile(path, bytes(), textures);
    m_place = {path, {}};
    m_absolutePath = std::filesystem::absolute(path).string();
    m_lock.reset();
    m_archive.reset();
    // The records still describe the bytes first read, from which every later save copies.
    m_writtenWhole = true;
}

}  // namespace tinplate
