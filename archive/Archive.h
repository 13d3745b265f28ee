// SPDX-License-Identifier: GPL-3.0-or-later
// An archive opened for reading: its directory, and each entry's bytes read on demand.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "archive/ArchiveDirectory.h"
#include "fileio/FileIdentity.h"

namespace tinplate {

// The files an archive is made of: the data file, and for version 1 the directory beside it.
struct ArchiveFiles {
    ArchiveVersion version = ArchiveVersion::Two;
    std::string data;       // the .img
    std::string directory;  // the .dir of version 1; empty for version 2
};

// Finds the files of the archive `path` names: a version-2 .img, or either file of a
// version-1 pair (the other is the same name with .dir or .img, in any letter case).
ArchiveFiles LocateArchive(const std::string& path);

// True when `path` names an archive by its ending (.img or .dir, any letter case).
bool HasArchiveEnding(std::string_view path);

// An archive read by its directory alone; entries' data is read only when asked for, so that
// opening an archive of any size costs the directory's bytes.
class Archive {
public:
    // A FileError names the file when it cannot be opened or is no archive. A directory with
    // faults opens: its sound entries can still be read, and `faults()` names the rest.
    static Archive Open(const std::string& path);

    ArchiveVersion version() const { return m_files.version; }
    const ArchiveFiles& files() const { return m_files; }
    // The path as the user gave it, for messages.
    const std::string& shownName() const { return m_shownName; }
    const std::vector<ArchiveEntry>& entries() const { return m_directory.entries; }
    const std::vector<std::string>& faults() const { return m_directory.faults; }
    const ArchiveDirectory& directory() const { return m_directory; }
    // The data file's size in bytes when it was opened.
    std::uint64_t dataSize() const { return m_dataSize; }
    // The data file as it was when opened.
    const FileIdentity& identity() const { return m_identity; }

    // The index of the entry called `name`, letter case aside.
    std::optional<std::size_t> Find(std::string_view name) const;
    // The entry's content (see ContentLength). FileError for an unsound entry.
    std::vector<std::uint8_t> ReadContent(std::size_t index) const;
    // Whether the entry's content starts with a dictionary's top chunk.
    bool IsDictionary(std::size_t index) const;
    // The same for every entry, read as a listing needs it: in the order the entries lie in
    // the file, nearby ones together, without read-ahead, so that it costs about as much as
    // the directory whatever the entries' sizes.
    std::vector<bool> Dictionaries() const;
    // "ARCHIVE: entry N (NAME)", for messages.
    std::string EntryLabel(std::size_t index) const;

private:
    friend class ArchiveWriter;
    struct Descriptor;
    Archive() = default;

    ArchiveFiles m_files;
    std::string m_shownName;
    ArchiveDirectory m_directory;
    std::uint64_t m_dataSize = 0;
    FileIdentity m_identity;
    std::shared_ptr<Descriptor> m_data;
};

// Reads `length` bytes of `fd` at `offset`; bytes past the file's end read as zeros.
std::vector<std::uint8_t> ReadAt(int fd, const std::string& shownName, std::uint64_t offset,
                                 std::uint64_t length);

// The length of an entry's content among the sectors it occupies, which the archive does not
// store: a chunk of this engine (a dictionary, a model) or a run of collision models up to its
// declared end; text up to the zeros that pad its last sector; anything else whole, since
// its last zeros may be its own. Adding what this gives back fills the same sectors again.
std::size_t ContentLength(std::span<const std::uint8_t> sectors);

}  // namespace tinplate
