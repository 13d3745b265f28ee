// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

// A regular file of at most 4 GiB mapped read-only and private: its pages come straight from
// the system's file cache, read on first use, and are never written. The bytes stay as they
// were read for as long as the mapping lives, even after Save has replaced the file.
class MappedFile {
public:
    // A FileError names the file and the reason when it cannot be opened or mapped.
    static std::shared_ptr<const MappedFile> Open(const std::string& path);

    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    std::span<const std::uint8_t> bytes() const { return {m_bytes, m_size}; }

private:
    MappedFile(const std::uint8_t* bytes, std::size_t size) : m_bytes(bytes), m_size(size) {}

    const std::uint8_t* m_bytes;
    std::size_t m_size;
};
