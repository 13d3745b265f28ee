// SPDX-License-Identifier: GPL-3.0-or-later
// Writing entries into free sectors, then the directory, each step flushed.
#include "archive/ArchiveWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>

#include "archive/PackedDirectory.h"
#include "fileio/AtomicFile.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"

namespace tinplate {

namespace {

constexpr std::uint64_t kCopyChunk = std::uint64_t{1} << 20;
// Version 2 stores an entry's size in 16 bits.
constexpr std::uint64_t kLargestVersion2Entry = 0xFFFF;

std::uint64_t SectorsFor(std::uint64_t bytes) {
    return std::max<std::uint64_t>(1, (bytes + kSectorSize - 1) / kSectorSize);
}

}  // namespace

ArchiveWriter::ArchiveWriter(const std::string& path, std::chrono::milliseconds patience)
    : m_lock(LocateArchive(path).data, patience), m_archive(Archive::Open(path)) {
    if (!m_archive.faults().empty()) {
        throw FileError(path, "the archive's directory has faults, so nothing is written to it (" +
                                  m_archive.faults().front() + ")");
    }
    m_fd = ::open(m_lock.target().c_str(), O_RDWR | O_CLOEXEC);
    if (m_fd < 0) {
        throw FileError::FromErrno(path, errno);
    }
    if (m_archive.version() == ArchiveVersion::One) {
        RemoveStaleReplacements(m_archive.files().directory);
        FinishInterruptedPack(m_archive.files().directory, m_archive.identity().inode);
    } else if (m_archive.directory().unfinishedRemoval) {
        CommitCount(static_cast<std::uint32_t>(m_archive.entries().size()));
        m_archive.m_directory.unfinishedRemoval = false;
    }
}

ArchiveWriter::~ArchiveWriter() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

std::size_t ArchiveWriter::Existing(std::string_view name) const {
    const auto index = m_archive.Find(name);
    if (!index) {
        throw FileError(m_archive.shownName(),
                        "holds no entry called " + PrintableText(std::string(name)));
    }
    return *index;
}

std::uint32_t ArchiveWriter::FreePlace(std::uint64_t sectors, std::uint64_t reserved) const {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> used;
    for (const ArchiveEntry& entry : m_archive.entries()) {
        if (entry.sectors > 0) {
            used.emplace_back(entry.offset, std::uint64_t{entry.offset} + entry.sectors);
        }
    }
    std::sort(used.begin(), used.end());
    std::uint64_t cursor = reserved;
    for (const auto& [start, end] : used) {
        if (start >= cursor + sectors) {
            break;
        }
        cursor = std::max(cursor, end);
    }
    if (cursor + sectors > std::numeric_limits<std::uint32_t>::max()) {
        throw FileError(m_archive.shownName(), "the archive has no room left for the entry");
    }
    return static_cast<std::uint32_t>(cursor);
}

void ArchiveWriter::WriteRaw(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(m_fd, bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(m_archive.shownName(), errno);
        }
        bytes = bytes.subspan(static_cast<std::size_t>(n));
        offset += static_cast<std::uint64_t>(n);
    }
}

void ArchiveWriter::Sync() {
    if (::fsync(m_fd) != 0) {
        throw FileError::FromErrno(m_archive.shownName(), errno);
    }
}

void ArchiveWriter::WriteSectors(std::uint32_t offset, std::span<const std::uint8_t> content) {
    const std::uint64_t start = offset * kSectorSize;
    WriteRaw(start, content);
    const std::vector<std::uint8_t> padding(SectorsFor(content.size()) * kSectorSize -
                                            content.size());
    WriteRaw(start + content.size(), padding);
}

void ArchiveWriter::CopySectors(std::uint32_t from, std::uint32_t to, std::uint32_t sectors) {
    const std::uint64_t length = sectors * kSectorSize;
    for (std::uint64_t done = 0; done < length; done += kCopyChunk) {
        const std::uint64_t chunk = std::min(kCopyChunk, length - done);
        const std::vector<std::uint8_t> bytes =
            ReadAt(m_fd, m_archive.shownName(), from * kSectorSize + done, chunk);
        WriteRaw(to * kSectorSize + done, bytes);
    }
}

void ArchiveWriter::ReplaceDirectoryFile(const std::vector<ArchiveEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(entries.size() * kDirectoryEntrySize);
    for (const ArchiveEntry& entry : entries) {
        AppendDirectoryEntry(bytes, entry);
    }
    WriteProductFile(m_archive.files().directory, {bytes});
}

void ArchiveWriter::CommitSlot(std::size_t index, const ArchiveEntry& entry) {
    std::vector<ArchiveEntry>& entries = m_archive.m_directory.entries;
    if (m_archive.version() == ArchiveVersion::One) {
        std::vector<ArchiveEntry> changed = entries;
        changed.resize(std::max(changed.size(), index + 1));
        changed[index] = entry;
        ReplaceDirectoryFile(changed);
    } else {
        std::vector<std::uint8_t> slot;
        AppendDirectoryEntry(slot, entry);
        WriteRaw(kVersion2HeaderSize + index * kDirectoryEntrySize, slot);
        Sync();
    }
    entries.resize(std::max(entries.size(), index + 1));
    entries[index] = entry;
}

void ArchiveWriter::CommitCount(std::uint32_t count) {
    std::vector<std::uint8_t> word;
    AppendLe32(word, count);
    WriteRaw(4, word);
    Sync();
}

void ArchiveWriter::MakeDirectoryRoom(std::uint64_t count) {
    const std::uint64_t reserved = DirectorySectors(count);
    for (;;) {
        const auto& entries = m_archive.entries();
        std::size_t first = entries.size();
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].sectors > 0 && entries[i].offset < reserved &&
                (first == entries.size() || entries[i].offset < entries[first].offset)) {
                first = i;
            }
        }
        if (first == entries.size()) {
            return;
        }
        ArchiveEntry moved = entries[first];
        moved.offset = FreePlace(moved.sectors, reserved);
        CopySectors(entries[first].offset, moved.offset, moved.sectors);
        Sync();
        CommitSlot(first, moved);
    }
}

void ArchiveWriter::Put(const std::string& name, std::span<const std::uint8_t> content) {
    if (const std::string refusal = EntryNameRefusal(name); !refusal.empty()) {
        throw FileError(m_archive.shownName() + ": " + PrintableText(name), refusal);
    }
    const std::uint64_t sectors = SectorsFor(content.size());
    if (m_archive.version() == ArchiveVersion::Two && sectors > kLargestVersion2Entry) {
        throw FileError(m_archive.shownName() + ": " + name,
                        "an entry of a version-2 archive holds at most 128 MiB");
    }
    const auto existing = m_archive.Find(name);
    const std::size_t count = m_archive.entries().size();
    const std::uint64_t slots = existing ? count : count + 1;
    std::uint64_t reserved = 0;
    if (m_archive.version() == ArchiveVersion::Two) {
        MakeDirectoryRoom(slots);
        reserved = DirectorySectors(slots);
    }
    ArchiveEntry entry;
    entry.name = existing ? m_archive.entries()[*existing].name : name;
    entry.sectors = static_cast<std::uint32_t>(sectors);
    entry.offset = FreePlace(sectors, reserved);
    WriteSectors(entry.offset, content);
    Sync();
    CommitSlot(existing.value_or(count), entry);
    if (!existing && m_archive.version() == ArchiveVersion::Two) {
        CommitCount(static_cast<std::uint32_t>(count + 1));
    }
}

void ArchiveWriter::Remove(std::string_view name) {
    const std::size_t index = Existing(name);
    std::vector<ArchiveEntry>& entries = m_archive.m_directory.entries;
    if (m_archive.version() == ArchiveVersion::One) {
        std::vector<ArchiveEntry> changed = entries;
        changed.erase(changed.begin() + static_cast<std::ptrdiff_t>(index));
        ReplaceDirectoryFile(changed);
        entries = std::move(changed);
        return;
    }
    // The last slot moves into the removed one, byte for byte, so that a stop between the two
    // writes leaves a repeat that the next reader recognises.
    const std::size_t last = entries.size() - 1;
    if (index != last) {
        const std::vector<std::uint8_t> slot =
            ReadAt(m_fd, m_archive.shownName(), kVersion2HeaderSize + last * kDirectoryEntrySize,
                   kDirectoryEntrySize);
        WriteRaw(kVersion2HeaderSize + index * kDirectoryEntrySize, slot);
        Sync();
        entries[index] = entries[last];
    }
    CommitCount(static_cast<std::uint32_t>(last));
    entries.pop_back();
}

void ArchiveWriter::Rename(std::string_view name, const std::string& newName) {
    const std::size_t index = Existing(name);
    if (const std::string refusal = EntryNameRefusal(newName); !refusal.empty()) {
        throw FileError(m_archive.shownName() + ": " + PrintableText(newName), refusal);
    }
    if (const auto other = m_archive.Find(newName); other && *other != index) {
        throw FileError(m_archive.EntryLabel(*other),
                        "an entry already has the name " + PrintableText(newName));
    }
    ArchiveEntry entry = m_archive.entries()[index];
    entry.name = newName;
    CommitSlot(index, entry);
}

}  // namespace tinplate
