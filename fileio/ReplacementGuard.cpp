// SPDX-License-Identifier: GPL-3.0-or-later
// The identity, permission and stale-temporary checks before a dictionary is replaced.
#include "fileio/ReplacementGuard.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"

namespace tinplate {

void PrepareReplacement(const DictionaryLock& lock, const FileIdentity& opened) {
    const std::string& path = lock.path();
    if (IdentityOf(lock.fd(), path) != opened) {
        throw ChangedOnDiskError(path);
    }
    if (::faccessat(AT_FDCWD, lock.target().c_str(), W_OK, AT_EACCESS) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    RemoveStaleReplacements(lock.target());
}

}  // namespace tinplate
