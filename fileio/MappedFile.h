// SPDX-License-Identifier: GPL-3.0-or-later
// A file's bytes held while they are used, mapped or read into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "fileio/FileIdentity.h"
#include "fileio/MappingGuard.h"

namespace tinplate {

// Where a file's bytes are kept while they are used.
enum class Residence {
    // Mapped read-only and private: pages come straight from the system's file cache, read on
    // first use. For a command that is over in a moment.
    Mapped,
    // For a program that keeps a file open while others may change it. A small file is read
    // into memory of the process's own. A large one is mapped and guarded (MappingGuard): this
    // program's own writes into the file leave the bytes as they were, and a page lost to
    // another program cutting the file short reads as zeros instead of faulting, which
    // Intact() tells.
    Held,
};

// From this size on a held file is mapped: reading it whole would cost the time of a copy.
inline constexpr std::size_t kHeldMappedFrom = std::size_t{16} << 20;

// A regular file of at most 4 GiB, held read-only. The bytes stay as they were read for as
// long as the object lives, even after Save has replaced the file by renaming a new one over
// it.
class MappedFile {
public:
    // A FileError names the file and the reason when it cannot be opened, read or mapped.
    static std::shared_ptr<const MappedFile> Open(const std::string& path,
                                                  Residence residence = Residence::Mapped);

    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> bytes() const { return {m_bytes, m_size}; }
    // Whether bytes() are still what was read: false when a held mapping's file was changed
    // in place or cut short by another program since.
    bool Intact() const;

private:
    MappedFile(const std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}
    static std::shared_ptr<const MappedFile> Hold(int fd, std::size_t size,
                                                  const std::string& path);
    MappedFile(std::unique_ptr<std::uint8_t[]> owned, std::size_t size)
        : m_bytes(owned.get()), m_size(size), m_owned(std::move(owned)) {}

    const std::uint8_t* m_bytes;
    std::size_t m_size;
    std::unique_ptr<std::uint8_t[]> m_owned;  // in memory rather than mapped
    // A held mapping: its guard, the file kept open, and what the file was when mapped.
    std::unique_ptr<MappingGuard> m_guard;
    int m_fd = -1;
    FileIdentity m_mapped;
};

}  // namespace tinplate
