// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a file's identity from the system.
#include "fileio/FileIdentity.h"

#include <sys/stat.h>

#include <cerrno>

namespace tinplate {

namespace {

FileIdentity FromStat(const struct stat& info) {
    return {static_cast<std::uint64_t>(info.st_dev), static_cast<std::uint64_t>(info.st_ino),
            static_cast<std::uint64_t>(info.st_size), info.st_mtim.tv_sec, info.st_mtim.tv_nsec};
}

}  // namespace

FileIdentity IdentityOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    return FromStat(info);
}

FileIdentity IdentityOf(int fd, const std::string& path) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    return FromStat(info);
}

}  // namespace tinplate
