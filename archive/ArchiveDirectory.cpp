// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and checking archive directories, and the entry name rule.
#include "archive/ArchiveDirectory.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "fileio/ByteOrder.h"
#include "fileio/PrintableText.h"

namespace tinplate {

namespace {

std::string EntryLabel(std::size_t index, const ArchiveEntry& entry) {
    return "entry " + std::to_string(index) + " (" + PrintableText(entry.name) + ")";
}

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

ArchiveEntry ReadEntry(std::span<const std::uint8_t> slot) {
    ArchiveEntry entry;
    entry.offset = ReadLe32(slot, 0);
    // Version 2 splits this word into two 16-bit sizes, the second of which the games leave 0.
    entry.sectors = ReadLe32(slot, 4);
    const auto* name = reinterpret_cast<const char*>(slot.data() + 8);
    const void* end = std::memchr(name, 0, kEntryNameBytes);
    if (end == nullptr) {
        entry.name.assign(name, kEntryNameBytes);
        entry.fault = "its name has no end (no NUL in its 24 bytes)";
    } else {
        entry.name.assign(name, static_cast<const char*>(end));
        if (entry.name.empty()) {
            entry.fault = "its name is empty";
        }
    }
    return entry;
}

void Fault(ArchiveEntry& entry, std::string reason) {
    if (entry.sound()) {
        entry.fault = std::move(reason);
    }
}

void CheckPlacement(ArchiveDirectory& directory, std::uint64_t dataSize) {
    const std::uint64_t dataSectors = (dataSize + kSectorSize - 1) / kSectorSize;
    const std::uint64_t reserved =
        directory.version == ArchiveVersion::Two ? DirectorySectors(directory.entries.size()) : 0;
    std::vector<std::size_t> placed;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        ArchiveEntry& entry = directory.entries[i];
        if (entry.sectors == 0) {
            continue;
        }
        const std::uint64_t end = std::uint64_t{entry.offset} + entry.sectors;
        if (end > dataSectors) {
            Fault(entry, "its data (sectors " + std::to_string(entry.offset) + " to " +
                             std::to_string(end) + ") lies past the end of the file (" +
                             std::to_string(dataSectors) + " sectors)");
        } else if (entry.offset < reserved) {
            Fault(entry, "its data (from sector " + std::to_string(entry.offset) +
                             ") overlaps the directory (" + std::to_string(reserved) + " sectors)");
        } else {
            placed.push_back(i);
        }
    }
    std::sort(placed.begin(), placed.end(), [&](std::size_t a, std::size_t b) {
        return directory.entries[a].offset < directory.entries[b].offset;
    });
    // Each entry is compared with the one reaching furthest among those before it.
    std::size_t furthest = placed.empty() ? 0 : placed.front();
    for (std::size_t k = 1; k < placed.size(); ++k) {
        ArchiveEntry& entry = directory.entries[placed[k]];
        const ArchiveEntry& before = directory.entries[furthest];
        if (entry.offset < std::uint64_t{before.offset} + before.sectors) {
            Fault(entry, "its sectors overlap those of " + EntryLabel(furthest, before));
            Fault(directory.entries[furthest],
                  "its sectors overlap those of " + EntryLabel(placed[k], entry));
        }
        if (std::uint64_t{entry.offset} + entry.sectors >
            std::uint64_t{before.offset} + before.sectors) {
            furthest = placed[k];
        }
    }
}

void CheckNames(ArchiveDirectory& directory) {
    std::map<std::string, std::size_t> seen;
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        ArchiveEntry& entry = directory.entries[i];
        if (entry.name.empty()) {
            continue;
        }
        const auto [first, inserted] = seen.emplace(LowerCase(entry.name), i);
        if (!inserted) {
            Fault(entry, "its name is that of " +
                             EntryLabel(first->second, directory.entries[first->second]) +
                             " but for letter case");
        }
    }
}

}  // namespace

std::uint64_t DirectorySectors(std::uint64_t count) {
    return (kVersion2HeaderSize + count * kDirectoryEntrySize + kSectorSize - 1) / kSectorSize;
}

ArchiveDirectory ParseDirectory(ArchiveVersion version, std::span<const std::uint8_t> bytes,
                                std::uint64_t dataSize) {
    ArchiveDirectory directory;
    directory.version = version;
    std::span<const std::uint8_t> slots = bytes;
    if (version == ArchiveVersion::Two) {
        if (bytes.size() < kVersion2HeaderSize) {
            directory.faults.push_back("the file is too short for the archive's header");
            return directory;
        }
        const std::uint64_t counted = ReadLe32(bytes, 4);
        slots = bytes.subspan(kVersion2HeaderSize);
        const std::uint64_t room = slots.size() / kDirectoryEntrySize;
        if (counted > room) {
            directory.faults.push_back("the header counts " + std::to_string(counted) +
                                       " entries, but the file holds only " + std::to_string(room));
        }
        slots = slots.first(std::min(counted, room) * kDirectoryEntrySize);
        const std::size_t n = slots.size() / kDirectoryEntrySize;
        if (n >= 2 && counted <= room) {
            const auto last = slots.subspan((n - 1) * kDirectoryEntrySize);
            for (std::size_t i = 0; i + 1 < n && !directory.unfinishedRemoval; ++i) {
                directory.unfinishedRemoval =
                    std::equal(last.begin(), last.end(), slots.begin() + i * kDirectoryEntrySize);
            }
            if (directory.unfinishedRemoval) {
                slots = slots.first((n - 1) * kDirectoryEntrySize);
            }
        }
    } else if (bytes.size() % kDirectoryEntrySize != 0) {
        directory.faults.push_back("the directory's size (" + std::to_string(bytes.size()) +
                                   " bytes) is not a multiple of 32");
        slots = slots.first(bytes.size() - bytes.size() % kDirectoryEntrySize);
    }
    for (std::size_t at = 0; at < slots.size(); at += kDirectoryEntrySize) {
        directory.entries.push_back(ReadEntry(slots.subspan(at, kDirectoryEntrySize)));
    }
    CheckPlacement(directory, dataSize);
    CheckNames(directory);
    for (std::size_t i = 0; i < directory.entries.size(); ++i) {
        if (!directory.entries[i].sound()) {
            directory.faults.push_back(EntryLabel(i, directory.entries[i]) + ": " +
                                       directory.entries[i].fault);
        }
    }
    return directory;
}

void AppendDirectoryEntry(std::vector<std::uint8_t>& out, const ArchiveEntry& entry) {
    AppendLe32(out, entry.offset);
    AppendLe32(out, entry.sectors);
    const std::size_t start = out.size();
    out.resize(start + kEntryNameBytes, 0);
    std::memcpy(out.data() + start, entry.name.data(),
                std::min(entry.name.size(), kEntryNameBytes - 1));
}

bool SameEntryName(std::string_view a, std::string_view b) {
    return LowerCase(a) == LowerCase(b);
}

std::string EntryNameRefusal(std::string_view name) {
    if (name.empty()) {
        return "an entry's name cannot be empty";
    }
    if (name.size() >= kEntryNameBytes) {
        return "an entry's name holds at most 23 bytes";
    }
    for (const char c : name) {
        if (c < 0x20 || c > 0x7E) {
            return "an entry's name holds only printable ASCII characters";
        }
        if (c == '/' || c == '\\') {
            return "an entry's name cannot hold a folder part ('/' or '\\')";
        }
    }
    if (name == "." || name == "..") {
        return "an entry's name cannot be '.' or '..'";
    }
    return {};
}

}  // namespace tinplate
