// SPDX-License-Identifier: GPL-3.0-or-later
// Mapping a file read-only, or reading it whole.
#include "fileio/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/FileError.h"
#include "fileio/FileIo.h"

namespace tinplate {

namespace {

// The whole file into memory that is not cleared first: every byte is about to be overwritten.
std::unique_ptr<std::uint8_t[]> ReadAll(int fd, std::size_t size, const std::string& path) {
    std::unique_ptr<std::uint8_t[]> bytes(new std::uint8_t[size]);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes.get() + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw got < 0 ? FileError::FromErrno(path, errno)
                          : FileError(path, "the file became shorter while it was read");
        }
        done += static_cast<std::size_t>(got);
    }
    return bytes;
}

}  // namespace

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path, Residence residence) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw FileError::FromErrno(path, errno);
    }
    struct stat info {};
    const bool stated = ::fstat(fd, &info) == 0;
    const int statError = errno;
    if (!stated || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) > kMaxReadableFileSize) {
        ::close(fd);
        if (!stated) {
            throw FileError::FromErrno(path, statError);
        }
        // Nothing this program reads can be larger: a dictionary's offsets are 32-bit words.
        throw FileError(
            path, S_ISREG(info.st_mode) ? "the file is larger than 4 GiB" : "not a regular file");
    }
    const auto size = static_cast<std::size_t>(info.st_size);
    if (residence == Residence::Held && size >= kHeldMappedFrom) {
        if (auto held = Hold(fd, size, path)) {
            return held;
        }
    }
    if (residence == Residence::Held) {
        try {
            auto owned = ReadAll(fd, size, path);
            ::close(fd);
            return std::shared_ptr<const MappedFile>(new MappedFile(std::move(owned), size));
        } catch (...) {
            ::close(fd);
            throw;
        }
    }
    void* bytes = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    ::close(fd);  // the mapping keeps the file itself
    if (bytes == MAP_FAILED) {
        throw FileError::FromErrno(path, mapError);
    }
    return std::shared_ptr<const MappedFile>(
        new MappedFile(static_cast<const std::uint8_t*>(bytes), size));
}

// The file mapped and guarded, keeping `fd`; null (and `fd` still open) when no guard is left.
std::shared_ptr<const MappedFile> MappedFile::Hold(int fd, std::size_t size,
                                                   const std::string& path) {
    void* bytes = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (bytes == MAP_FAILED) {
        const int mapError = errno;
        ::close(fd);
        throw FileError::FromErrno(path, mapError);
    }
    std::shared_ptr<MappedFile> held(new MappedFile(static_cast<const std::uint8_t*>(bytes), size));
    held->m_guard = std::make_unique<MappingGuard>(held->m_bytes, size, fd);
    if (!held->m_guard->active()) {
        return nullptr;  // the destructor unmaps
    }
    held->m_fd = fd;
    held->m_mapped = IdentityOf(fd, path);
    return held;
}

bool MappedFile::Intact() const {
    if (!m_guard || m_guard->LostBytes() || m_guard->Private()) {
        return !m_guard || !m_guard->LostBytes();
    }
    try {
        return IdentityOf(m_fd, {}) == m_mapped;
    } catch (const FileError&) {
        return false;
    }
}

MappedFile::~MappedFile() {
    m_guard.reset();
    if (m_size != 0 && !m_owned) {
        ::munmap(const_cast<std::uint8_t*>(m_bytes), m_size);
    }
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

}  // namespace tinplate
