// SPDX-License-Identifier: GPL-3.0-or-later
// A file's bytes held while they are used, mapped or read into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tinplate {

// Where a file's bytes are kept while they are used.
enum class Residence {
    // Mapped read-only and private: pages come straight from the system's file cache, read on
    // first use. For a command that is over in a moment.
    Mapped,
    // Read once into memory of the process's own. For a program that keeps a file open while
    // others may change it: another program truncating or rewriting the file in place would
    // change mapped bytes under us, or fault on the next access to them.
    InMemory,
};

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

private:
    MappedFile(const std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}
    MappedFile(std::unique_ptr<std::uint8_t[]> owned, std::size_t size)
        : m_bytes(owned.get()), m_size(size), m_owned(std::move(owned)) {}

    const std::uint8_t* m_bytes;
    std::size_t m_size;
    std::unique_ptr<std::uint8_t[]> m_owned;  // in memory rather than mapped
};

}  // namespace tinplate
