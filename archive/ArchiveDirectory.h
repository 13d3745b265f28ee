// SPDX-License-Identifier: GPL-3.0-or-later
// An archive's directory read from its bytes: the entries, and every fault found in them.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tinplate {

// Archives count in sectors of 2048 bytes. Version 1 keeps its directory in a file of its own
// beside the data; version 2 starts with "VER2", the entry count and the directory.
enum class ArchiveVersion { One = 1, Two = 2 };

inline constexpr std::uint64_t kSectorSize = 2048;
inline constexpr std::size_t kDirectoryEntrySize = 32;
inline constexpr std::size_t kEntryNameBytes = 24;
inline constexpr std::size_t kVersion2HeaderSize = 8;
// A directory that counts more entries than its file holds is read only this far: enough to
// rescue the entries of any real archive without reading a whole archive into memory.
inline constexpr std::uint64_t kLargestDirectoryRead = 32 << 20;

struct ArchiveEntry {
    std::string name;           // the bytes before the name's NUL, as stored
    std::uint32_t offset = 0;   // in sectors, from the start of the data
    std::uint32_t sectors = 0;  // the size, in sectors
    std::string fault;          // why the entry cannot be trusted; empty when it is sound

    bool sound() const { return fault.empty(); }
};

struct ArchiveDirectory {
    ArchiveVersion version = ArchiveVersion::Two;
    std::vector<ArchiveEntry> entries;
    // Every fault, each naming its entry ("entry 3 (NAME): ...") or the directory as a whole.
    std::vector<std::string> faults;
    // A version-2 directory whose last slot repeats an earlier one byte for byte: a removal
    // was stopped between its two writes. The repeat is not listed; the next writer drops it.
    bool unfinishedRemoval = false;
};

// The sectors a version-2 directory of `count` entries occupies, header included.
std::uint64_t DirectorySectors(std::uint64_t count);

// Reads a directory: for version 1 the whole directory file, for version 2 the file's first
// bytes, as many as hold the header and the entries the header counts (when the file is too
// short for them, its first kLargestDirectoryRead bytes at most). `dataSize` is the size of the
// file the offsets count in. Never throws: what cannot be trusted is named in `faults` and the
// entries' `fault`.
ArchiveDirectory ParseDirectory(ArchiveVersion version, std::span<const std::uint8_t> bytes,
                                std::uint64_t dataSize);

// The 32 bytes of `entry` as a directory stores them.
void AppendDirectoryEntry(std::vector<std::uint8_t>& out, const ArchiveEntry& entry);

// Entry names are compared as the games look them up: without regard to letter case.
bool SameEntryName(std::string_view a, std::string_view b);

// Why `name` cannot name an entry (empty, too long for 23 bytes, not printable ASCII, or with a
// folder part); empty when it can.
std::string EntryNameRefusal(std::string_view name);

}  // namespace tinplate
