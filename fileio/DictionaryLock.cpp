// SPDX-License-Identifier: GPL-3.0-or-later
// Taking and releasing the advisory lock on a dictionary.
#include "fileio/DictionaryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>
#include <thread>

#include "fileio/FileError.h"
#include "fileio/FileIo.h"

namespace tinplate {

namespace {

constexpr std::chrono::milliseconds kRetryInterval{50};

// The holder before us may have replaced the file: the lock only counts on the file that the
// path names now.
bool PathStillNames(const std::string& path, int fd) {
    struct stat named {};
    struct stat held {};
    return ::stat(path.c_str(), &named) == 0 && ::fstat(fd, &held) == 0 &&
           named.st_dev == held.st_dev && named.st_ino == held.st_ino;
}

std::string WaitText(std::chrono::milliseconds wait) {
    if (wait.count() % 1000 == 0) {
        return std::to_string(wait.count() / 1000) + " seconds";
    }
    return std::to_string(wait.count()) + " ms";
}

}  // namespace

DictionaryLock::DictionaryLock(const std::string& path, std::chrono::milliseconds patience)
    : m_path(path) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        m_fd = OpenRegularFile(path);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error != EWOULDBLOCK && error != EINTR) {
                ::close(m_fd);
                throw FileError::FromErrno(path, error);
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                ::close(m_fd);
                throw FileError(path, "another program is saving it; gave up after waiting " +
                                          WaitText(patience));
            }
            std::this_thread::sleep_for(kRetryInterval);
        }
        if (PathStillNames(path, m_fd)) {
            break;
        }
        ::close(m_fd);
    }
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr),
                                                               &std::free);
    if (!resolved) {
        const int error = errno;
        ::close(m_fd);
        throw FileError::FromErrno(path, error);
    }
    m_target = resolved.get();
}

DictionaryLock::~DictionaryLock() {
    ::close(m_fd);
}

}  // namespace tinplate
