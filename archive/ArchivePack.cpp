// SPDX-License-Identifier: GPL-3.0-or-later
// Rewriting an archive whole without holes, and making new empty archives.
#include "archive/ArchiveWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "archive/PackedDirectory.h"
#include "fileio/AtomicFile.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "fileio/ReplacementGuard.h"

namespace tinplate {

namespace {

constexpr std::uint8_t kVersion2Magic[] = {'V', 'E', 'R', '2'};

struct stat StatOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    return info;
}

// The entries' sectors one after another, copied from `source`; sectors the old file did not
// reach are written as zeros. Entries that already lie one after another are copied as one
// stretch, which the kernel copies without passing the bytes through the program.
void CopyEntries(ReplacementFile& file, int source, std::uint64_t sourceSize,
                 const std::vector<ArchiveEntry>& entries) {
    std::uint64_t runStart = 0;
    std::uint64_t runLength = 0;
    for (const ArchiveEntry& entry : entries) {
        const std::uint64_t start = entry.offset * kSectorSize;
        const std::uint64_t length = entry.sectors * kSectorSize;
        const std::uint64_t present = std::min(length, sourceSize - std::min(start, sourceSize));
        if (start != runStart + runLength) {
            file.CopyFrom(source, runStart, runLength);
            runStart = start;
            runLength = 0;
        }
        runLength += present;
        if (present < length) {
            file.CopyFrom(source, runStart, runLength);
            file.Write(std::vector<std::uint8_t>(length - present));
            runLength = 0;
        }
    }
    file.CopyFrom(source, runStart, runLength);
}

std::vector<ArchiveEntry> Packed(std::vector<ArchiveEntry> entries, std::uint64_t first) {
    for (ArchiveEntry& entry : entries) {
        entry.offset = static_cast<std::uint32_t>(first);
        first += entry.sectors;
    }
    return entries;
}

}  // namespace

void PackArchive(const std::string& path) {
    const DictionaryLock lock(LocateArchive(path).data);
    const Archive archive = Archive::Open(path);
    if (!archive.faults().empty()) {
        throw FileError(path, "the archive's directory has faults, so it is not packed (" +
                                  archive.faults().front() + ")");
    }
    PrepareReplacement(lock, archive.identity());
    if (archive.version() == ArchiveVersion::One) {
        RemoveStaleReplacements(archive.files().directory);
        FinishInterruptedPack(archive.files().directory, archive.identity().inode);
    }
    const std::vector<ArchiveEntry>& entries = archive.entries();
    const bool two = archive.version() == ArchiveVersion::Two;
    const std::uint64_t first = two ? DirectorySectors(entries.size()) : 0;
    const std::vector<ArchiveEntry> packed = Packed(entries, first);
    std::vector<std::uint8_t> directory;
    if (two) {
        directory.assign(std::begin(kVersion2Magic), std::end(kVersion2Magic));
        AppendLe32(directory, static_cast<std::uint32_t>(entries.size()));
    }
    for (const ArchiveEntry& entry : packed) {
        AppendDirectoryEntry(directory, entry);
    }
    const struct stat dataStat = StatOf(lock.target());
    ReplacementFile data(lock.target(), path);
    if (two) {
        directory.resize(first * kSectorSize);
        data.Write(directory);
    }
    CopyEntries(data, lock.fd(), archive.dataSize(), entries);
    if (two) {
        data.Commit(&dataStat);
        return;
    }
    // The two files of version 1 cannot be renamed together: the new directory waits under
    // the new data file's number until the data file is in place, then follows it.
    const std::string directoryPath = archive.files().directory;
    const struct stat directoryStat = StatOf(directoryPath);
    const std::uint64_t packedInode = data.Inode();
    const std::string waiting = PackedDirectoryPath(directoryPath, packedInode);
    try {
        ReplacementFile directoryFile(waiting, directoryPath);
        directoryFile.Write(directory);
        directoryFile.Commit(&directoryStat);
        data.Commit(&dataStat);
    } catch (...) {
        if (StatOf(lock.target()).st_ino != packedInode) {
            ::unlink(waiting.c_str());
        }
        throw;
    }
    MoveIntoPlace(waiting, directoryPath, directoryPath);
}

void CreateArchive(const std::string& path, ArchiveVersion version) {
    std::vector<std::string> made{path};
    if (version == ArchiveVersion::One) {
        made.push_back(std::filesystem::path(path).replace_extension(".dir").string());
    }
    for (const std::string& file : made) {
        if (FileExists(file)) {
            throw FileError(file, "already exists; a new archive does not replace it");
        }
    }
    if (version == ArchiveVersion::One) {
        WriteProductFile(made[0], {});
        WriteProductFile(made[1], {});
        return;
    }
    std::vector<std::uint8_t> header(std::begin(kVersion2Magic), std::end(kVersion2Magic));
    AppendLe32(header, 0);
    header.resize(kSectorSize);
    WriteProductFile(path, {header});
}

}  // namespace tinplate
