// SPDX-License-Identifier: GPL-3.0-or-later
#include "MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "FileError.h"
#include "FileIo.h"

std::shared_ptr<const MappedFile> MappedFile::Open(const std::string& path) {
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
    void* bytes = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    const int mapError = errno;
    ::close(fd);  // the mapping keeps the file itself
    if (bytes == MAP_FAILED) {
        throw FileError::FromErrno(path, mapError);
    }
    return std::shared_ptr<const MappedFile>(
        new MappedFile(static_cast<const std::uint8_t*>(bytes), size));
}

MappedFile::~MappedFile() {
    if (m_size != 0) {
        ::munmap(const_cast<std::uint8_t*>(m_bytes), m_size);
    }
}
