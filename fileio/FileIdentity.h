// SPDX-License-Identifier: GPL-3.0-or-later
// What tells one version of a file from another: device, inode, size and modification time.
#pragma once

#include <cstdint>
#include <string>

#include "fileio/FileError.h"

namespace tinplate {

// What tells one version of a file from another without reading it: a file replaced, grown,
// shrunk or rewritten since it was opened no longer has the identity it had then.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;

    bool operator==(const FileIdentity&) const = default;
};

// The identity of the file `path` names (a symbolic link is followed). FileError if it has none.
FileIdentity IdentityOf(const std::string& path);
FileIdentity IdentityOf(int fd, const std::string& path);

// Save refuses to write over a dictionary that someone else changed after it was opened: the
// user's edits and theirs would be mixed.
class ChangedOnDiskError : public FileError {
public:
    explicit ChangedOnDiskError(const std::string& fileName)
        : FileError(fileName, "changed on disk since it was opened") {}
};

}  // namespace tinplate
