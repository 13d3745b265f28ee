// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file reads and writes through the system calls, with their reasons on failure.
#include "fileio/FileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "fileio/FileError.h"
#include "fileio/MappingGuard.h"

namespace tinplate {

int OpenRegularFile(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw FileError::FromErrno(path, errno);
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        throw FileError(path, "not a regular file");
    }
    return fd;
}

FileError FileError::FromErrno(const std::string& fileName, int errorNumber) {
    return FileError(fileName, std::strerror(errorNumber));
}

namespace {

class Descriptor {
public:
    Descriptor(const std::string& path, int flags) : m_fd(::open(path.c_str(), flags, 0666)) {
        if (m_fd < 0) {
            throw FileError::FromErrno(path, errno);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    int get() const { return m_fd; }
    // Closes now so that a failure (a full disk on some file systems) can be reported.
    int release() {
        int rc = ::close(m_fd);
        m_fd = -1;
        return rc;
    }

private:
    int m_fd;
};

void WriteFully(int fd, const std::string& path, std::span<const std::uint8_t> bytes, off_t offset,
                bool positioned) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = positioned ? ::pwrite(fd, bytes.data() + done, bytes.size() - done,
                                          offset + static_cast<off_t>(done))
                               : ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(path, errno);
        }
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
    Descriptor file(path, O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(path, "not a regular file");
    }
    // Nothing this program reads can be larger: a dictionary's offsets are 32-bit words.
    if (static_cast<std::uint64_t>(info.st_size) > kMaxReadableFileSize) {
        throw FileError(path, "the file is larger than 4 GiB");
    }
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::read(file.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            throw FileError::FromErrno(path, errno);
        }
        if (n == 0) {
            break;  // the file shrank while being read
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return bytes;
}

void WriteNewFile(const std::string& path,
                  std::initializer_list<std::span<const std::uint8_t>> parts) {
    // Cut short only once a mapping of it held open has its own copy of the bytes.
    Descriptor file(path, O_WRONLY | O_CREAT | O_CLOEXEC);
    struct stat info {};
    if (::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode)) {
        KeepMappingsOf(file.get(), path);
        if (::ftruncate(file.get(), 0) != 0) {
            throw FileError::FromErrno(path, errno);
        }
    }
    for (auto part : parts) {
        WriteFully(file.get(), path, part, 0, false);
    }
    if (file.release() != 0) {
        throw FileError::FromErrno(path, errno);
    }
}

bool FileExists(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

void RemoveFileQuietly(const std::string& path) {
    ::unlink(path.c_str());
}

WorkingFiles::~WorkingFiles() {
    for (const auto& name : m_names) {
        RemoveFileQuietly(name);
    }
}

InPlaceFile::InPlaceFile(const std::string& path) : m_path(path) {
    m_fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (m_fd < 0) {
        throw FileError::FromErrno(path, errno);
    }
    try {
        KeepMappingsOf(m_fd, path);
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

InPlaceFile::~InPlaceFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void InPlaceFile::WriteAt(std::uint64_t offset, std::span<const std::uint8_t> bytes) {
    WriteFully(m_fd, m_path, bytes, static_cast<off_t>(offset), true);
}

void InPlaceFile::Close() {
    int fd = m_fd;
    m_fd = -1;
    if (::fsync(fd) != 0 && errno != EINVAL) {
        int saved = errno;
        ::close(fd);
        throw FileError::FromErrno(m_path, saved);
    }
    if (::close(fd) != 0) {
        throw FileError::FromErrno(m_path, errno);
    }
}

}  // namespace tinplate
