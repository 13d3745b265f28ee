// SPDX-License-Identifier: GPL-3.0-or-later
// Opening an archive by its directory and reading its entries.
#include "archive/Archive.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>

#include "archive/PackedDirectory.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "fileio/PrintableText.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

struct Archive::Descriptor {
    explicit Descriptor(int descriptor) : fd(descriptor) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() { ::close(fd); }
    int fd;
};

namespace {

// Entries' first bytes this close together are read at once: copying the bytes between them
// costs less than another read.
constexpr std::uint64_t kHeadsReadTogether = 16 * 1024;
constexpr std::uint32_t kVersion2Magic = 0x32524556;  // "VER2"
std::string LowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

// The file beside `path` with the same stem and the ending `ending`, in whichever letter case
// the folder holds it; the lower-case name when there is none.
std::string Sibling(const std::filesystem::path& path, const std::string& ending) {
    std::filesystem::path wanted = path;
    wanted.replace_extension(ending);
    if (std::filesystem::exists(wanted)) {
        return wanted.string();
    }
    const std::filesystem::path folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    std::error_code ignored;
    for (const auto& item : std::filesystem::directory_iterator(folder, ignored)) {
        if (LowerCase(item.path().filename().string()) == LowerCase(wanted.filename().string())) {
            return (path.parent_path() / item.path().filename()).string();
        }
    }
    return wanted.string();
}

std::uint64_t SizeOf(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace

bool HasArchiveEnding(std::string_view path) {
    const std::string ending = LowerCase(std::filesystem::path(path).extension().string());
    return ending == ".img" || ending == ".dir";
}

ArchiveFiles LocateArchive(const std::string& path) {
    const std::filesystem::path given(path);
    ArchiveFiles files;
    if (LowerCase(given.extension().string()) == ".dir") {
        files.version = ArchiveVersion::One;
        files.directory = path;
        files.data = Sibling(given, ".img");
        if (!std::filesystem::exists(files.data)) {
            throw FileError(path, "the archive's data file " + files.data + " is missing");
        }
        return files;
    }
    files.data = path;
    const int fd = OpenRegularFile(path);
    std::uint8_t magic[4]{};
    const ssize_t n = ::pread(fd, magic, sizeof magic, 0);
    ::close(fd);
    if (n == sizeof magic && ReadLe32(magic, 0) == kVersion2Magic) {
        return files;
    }
    files.version = ArchiveVersion::One;
    files.directory = Sibling(given, ".dir");
    if (!std::filesystem::exists(files.directory)) {
        throw FileError(path, "not an archive: it does not start with VER2, and there is no " +
                                  files.directory + " beside it");
    }
    return files;
}

std::vector<std::uint8_t> ReadAt(int fd, const std::string& shownName, std::uint64_t offset,
                                 std::uint64_t length) {
    std::vector<std::uint8_t> bytes(length, 0);
    std::uint64_t done = 0;
    while (done < length) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, length - done, static_cast<off_t>(offset + done));
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(shownName, errno);
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::uint64_t>(n);
    }
    return bytes;
}

Archive Archive::Open(const std::string& path) {
    Archive archive;
    archive.m_shownName = path;
    archive.m_files = LocateArchive(path);
    const std::string& dataPath = archive.m_files.data;
    archive.m_data = std::make_shared<Descriptor>(OpenRegularFile(dataPath));
    const int fd = archive.m_data->fd;
    archive.m_identity = IdentityOf(fd, dataPath);
    archive.m_dataSize = archive.m_identity.size;
    if (archive.version() == ArchiveVersion::One) {
        const std::string path = DirectoryFor(archive.m_files.directory, archive.m_identity.inode);
        const Descriptor directory(OpenRegularFile(path));
        const std::uint64_t size = SizeOf(directory.fd, path);
        const std::vector<std::uint8_t> bytes = ReadAt(directory.fd, path, 0, size);
        archive.m_directory = ParseDirectory(ArchiveVersion::One, bytes, archive.m_dataSize);
        return archive;
    }
    const std::vector<std::uint8_t> header = ReadAt(fd, dataPath, 0, kVersion2HeaderSize);
    const std::uint64_t wanted = kVersion2HeaderSize + ReadLe32(header, 4) * kDirectoryEntrySize;
    const std::uint64_t readable =
        wanted <= archive.m_dataSize ? wanted : std::min(archive.m_dataSize, kLargestDirectoryRead);
    const std::vector<std::uint8_t> bytes = ReadAt(fd, dataPath, 0, readable);
    archive.m_directory = ParseDirectory(ArchiveVersion::Two, bytes, archive.m_dataSize);
    return archive;
}

std::optional<std::size_t> Archive::Find(std::string_view name) const {
    for (std::size_t i = 0; i < entries().size(); ++i) {
        if (SameEntryName(entries()[i].name, name)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string Archive::EntryLabel(std::size_t index) const {
    return m_shownName + ": entry " + std::to_string(index) + " (" +
           PrintableText(entries()[index].name) + ")";
}

std::vector<std::uint8_t> Archive::ReadContent(std::size_t index) const {
    const ArchiveEntry& entry = entries().at(index);
    if (!entry.sound()) {
        throw FileError(EntryLabel(index), entry.fault);
    }
    std::vector<std::uint8_t> bytes =
        ReadAt(m_data->fd, m_files.data, entry.offset * kSectorSize, entry.sectors * kSectorSize);
    bytes.resize(ContentLength(bytes));
    return bytes;
}

bool Archive::IsDictionary(std::size_t index) const {
    const ArchiveEntry& entry = entries().at(index);
    if (!entry.sound() || entry.sectors == 0) {
        return false;
    }
    const std::vector<std::uint8_t> header =
        ReadAt(m_data->fd, m_files.data, entry.offset * kSectorSize, block::kChunkHeaderSize);
    return ReadLe32(header, 0) == chunk::kDictionary;
}

std::vector<bool> Archive::Dictionaries() const {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < entries().size(); ++i) {
        if (entries()[i].sound() && entries()[i].sectors > 0) {
            order.push_back(i);
        }
    }
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return entries()[a].offset < entries()[b].offset;
    });
    const int fd = m_data->fd;
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_RANDOM);
    std::vector<bool> dictionaries(entries().size(), false);
    for (std::size_t first = 0; first < order.size();) {
        const std::uint64_t start = entries()[order[first]].offset * kSectorSize;
        std::size_t last = first;
        while (last + 1 < order.size() &&
               entries()[order[last + 1]].offset * kSectorSize + block::kChunkHeaderSize - start <=
                   kHeadsReadTogether) {
            ++last;
        }
        const std::uint64_t span =
            entries()[order[last]].offset * kSectorSize + block::kChunkHeaderSize - start;
        const std::vector<std::uint8_t> bytes = ReadAt(fd, m_files.data, start, span);
        for (std::size_t i = first; i <= last; ++i) {
            const std::uint64_t head = entries()[order[i]].offset * kSectorSize - start;
            dictionaries[order[i]] = ReadLe32(bytes, head) == chunk::kDictionary;
        }
        first = last + 1;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_NORMAL);
    return dictionaries;
}

}  // namespace tinplate
