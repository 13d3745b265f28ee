// SPDX-License-Identifier: GPL-3.0-or-later
// Changes to an archive that a crash at any moment cannot turn into a broken archive.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "archive/Archive.h"
#include "fileio/DictionaryLock.h"

namespace tinplate {

// Changes one entry at a time without rewriting the archive, in an order that leaves every
// entry reading as its old or its new content whenever the program stops: new data goes only
// into sectors no entry uses (a hole large enough, or the end), is flushed, and only then is
// the directory changed (version 2: the entry's 32 bytes in place; version 1: the directory
// file replaced whole) and flushed again. The sectors an entry leaves become free for later
// writes; pack gives them back.
//
// Holds the dictionary lock on the archive's data file for its lifetime, so that two writers
// never interleave. An archive whose directory has faults is refused whole.
class ArchiveWriter {
public:
    explicit ArchiveWriter(const std::string& path,
                           std::chrono::milliseconds patience = DictionaryLock::kPatience);
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;
    ~ArchiveWriter();

    // The archive as it stands after the changes made so far.
    const Archive& archive() const { return m_archive; }

    // Makes `content` the entry called `name` (letter case aside), replacing that entry or
    // adding one. A replaced entry keeps its name as stored.
    void Put(const std::string& name, std::span<const std::uint8_t> content);
    void Remove(std::string_view name);
    void Rename(std::string_view name, const std::string& newName);

private:
    std::size_t Existing(std::string_view name) const;
    std::uint32_t FreePlace(std::uint64_t sectors, std::uint64_t reserved) const;
    void WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> content);
    void CopySectors(std::uint32_t from, std::uint32_t to, std::uint32_t sectors);
    void WriteRaw(std::uint64_t offset, std::span<const std::uint8_t> bytes);
    void Sync();
    void CommitSlot(std::size_t index, const ArchiveEntry& entry);
    void CommitCount(std::uint32_t count);
    void ReplaceDirectoryFile(const std::vector<ArchiveEntry>& entries);
    void MakeDirectoryRoom(std::uint64_t count);

    DictionaryLock m_lock;
    Archive m_archive;
    int m_fd = -1;
};

// Rewrites the archive whole, entries in directory order and no sectors between them: a new
// file beside the old one, flushed and renamed over it (for version 1 the data file, then the
// directory). Takes the lock as ArchiveWriter does.
void PackArchive(const std::string& path);

// Makes an empty archive of `version` at `path` (the .img; version 1 also gets its .dir).
// Refuses to replace an existing file.
void CreateArchive(const std::string& path, ArchiveVersion version);

}  // namespace tinplate
