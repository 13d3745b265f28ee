// SPDX-License-Identifier: GPL-3.0-or-later
// Mappings kept open for long: safe from the file shrinking, and from this program's own writes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tinplate {

// A file mapped privately still shows what is written into it in place, and faults (SIGBUS)
// on pages that a shorter file no longer has. A guarded mapping is protected from both: a page
// lost to another program shortening the file reads as zeros from then on (and the mapping
// says it lost bytes), and before this program writes into a file in place or truncates it
// (InPlaceFile, WriteNewFile) every guarded mapping of that file gets private copies of its
// pages.
class MappingGuard {
public:
    // Guards `size` bytes mapped at `begin` from the file open as `fd`. When every place for
    // a guard is taken, the guard is not active() and the caller must not keep the mapping.
    MappingGuard(const std::uint8_t* begin, std::size_t size, int fd);
    MappingGuard(const MappingGuard&) = delete;
    MappingGuard& operator=(const MappingGuard&) = delete;
    ~MappingGuard();

    bool active() const { return m_slot >= 0; }
    // Whether a page was lost to the file shrinking: some bytes now read as zeros.
    bool LostBytes() const;
    // Whether the pages are the mapping's own: nothing done to the file changes them any more.
    bool Private() const;

private:
    int m_slot = -1;
};

// Gives every guarded mapping of the file open as `fd` its own copy of each page, so that a
// write into the file leaves them as they were. A FileError names `path` when that fails.
void KeepMappingsOf(int fd, const std::string& path);

}  // namespace tinplate
