// SPDX-License-Identifier: GPL-3.0-or-later
// A dictionary as opened where it lives: its bytes as read, its lock, and Save back there.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "archive/ArchiveWriter.h"
#include "document/DictionaryPlace.h"
#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"
#include "fileio/MappedFile.h"
#include "gfxlib/GfxBinding.h"
#include "txd/DictionaryWriter.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// One opened dictionary, for the window and for txdtool alike: where it lives (a file or an
// archive's entry), the bytes it was read from (which the records point into and the writers
// copy from), what it was on disk then, and Save, which writes it back only over that same
// version. The textures themselves belong to the caller.
class OpenedDictionary {
public:
    enum class Use {
        Read,  // the lock is taken only while saving
        Edit,  // the lock is taken before reading and held until the object goes
    };

    // Reads and checks the whole dictionary; a FileError names the place as the user gave it.
    OpenedDictionary(DictionaryPlace place, Use use, Residence residence = Residence::Mapped);
    // A new dictionary, which has no place until SaveAs gives it one.
    OpenedDictionary();
    // A dictionary read from elsewhere (standard input), which has no place to be saved to.
    OpenedDictionary(std::vector<std::uint8_t> bytes, const std::string& shownName);

    OpenedDictionary(const OpenedDictionary&) = delete;
    OpenedDictionary& operator=(const OpenedDictionary&) = delete;
    ~OpenedDictionary();

    const DictionaryPlace& place() const { return m_place; }
    // The textures as read; the caller takes them.
    std::vector<TextureEntry>& textures() { return m_textures; }
    // The bytes as read, which the records still refer to.
    std::span<const std::uint8_t> bytes() const;

    // Whether the file, or the archive's entry, is no longer the one opened or last saved.
    bool ChangedOnDisk() const;

    // Save of `textures`: in place while their blocks allow it, else whole (see
    // SaveOpenedDictionary); into the archive for an entry, as ArchiveWriter writes. Refused
    // with ChangedOnDiskError when the dictionary is no longer the one opened or last saved; on
    // any failure the dictionary on disk is as it was.
    void Save(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
              const TextureSupplier& supply = {});

    // The next saves write the dictionary whole from `bytes`, which hold every block where the
    // read found it (the records keep their offsets): another version on every chunk.
    void ReplaceBytes(std::vector<std::uint8_t> bytes);

    // Writes `textures` whole to the file `path` (created, or replaced in one step), which
    // becomes the dictionary's place; the bytes as opened stay, for the records point into them.
    void SaveAs(const std::string& path, const std::vector<TextureEntry>& textures);

private:
    // An entry is the same while it occupies the same sectors of the same archive file: writers
    // never overwrite the sectors an entry uses.
    struct EntryIdentity {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::uint32_t offset = 0;
        std::uint32_t sectors = 0;
        bool operator==(const EntryIdentity&) const = default;
    };
    EntryIdentity EntryOf(const Archive& archive) const;
    void RequireIntact() const;
    void SaveFile(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                  const TextureSupplier& supply);
    void SaveEntry(const std::vector<TextureEntry>& textures, GfxBinding& gfx,
                   const TextureSupplier& supply);

    DictionaryPlace m_place;
    std::string m_absolutePath;
    std::optional<DictionaryLock> m_lock;
    std::unique_ptr<ArchiveWriter> m_archive;
    FileIdentity m_opened;
    EntryIdentity m_openedEntry;
    // What is on disk was written whole: its blocks no longer lie where the records say.
    bool m_writtenWhole = false;
    std::shared_ptr<const MappedFile> m_file;
    std::vector<std::uint8_t> m_ownBytes;
    std::vector<TextureEntry> m_textures;
};

}  // namespace tinplate
