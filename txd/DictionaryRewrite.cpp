// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place rewrite of a dictionary through a complete replacement file.
#include "txd/DictionaryRewrite.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"

namespace tinplate {

namespace {

void RequireInside(const std::string& path, const std::vector<Patch>& patches, std::uint64_t size) {
    std::uint64_t end = 0;
    for (const Patch& patch : patches) {
        if (patch.offset < end || patch.offset + patch.bytes.size() > size) {
            throw FileError(path, "a write would reach outside its place in the file");
        }
        end = patch.offset + patch.bytes.size();
    }
}

FileIdentity WriteInPlace(const DictionaryLock& lock, const std::vector<Patch>& patches) {
    InPlaceFile file(lock.target());
    for (const Patch& patch : patches) {
        file.WriteAt(patch.offset, patch.bytes);
    }
    file.Close();
    return IdentityOf(lock.fd(), lock.path());
}

}  // namespace

FileIdentity RewriteDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                               std::vector<Patch> patches) {
    const std::string& path = lock.path();
    if (IdentityOf(lock.fd(), path) != opened) {
        throw ChangedOnDiskError(path);
    }
    // A read-only dictionary stays unwritten, although its folder would take a replacement.
    if (::faccessat(AT_FDCWD, lock.target().c_str(), W_OK, AT_EACCESS) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    std::erase_if(patches, [](const Patch& patch) { return patch.bytes.empty(); });
    std::stable_sort(patches.begin(), patches.end(),
                     [](const Patch& a, const Patch& b) { return a.offset < b.offset; });
    RequireInside(path, patches, opened.size);
    // Under the lock no other replacement of this file is under way: any temporary is stale.
    RemoveStaleReplacements(lock.target());
    struct stat original {};
    if (::fstat(lock.fd(), &original) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    try {
        ReplacementFile file(lock.target(), path);
        std::uint64_t at = 0;
        for (const Patch& patch : patches) {
            file.CopyFrom(lock.fd(), at, patch.offset - at);
            file.Write(patch.bytes);
            at = patch.offset + patch.bytes.size();
        }
        file.CopyFrom(lock.fd(), at, opened.size - at);
        return file.Commit(&original);
    } catch (const FolderRefusedError&) {
        return WriteInPlace(lock, patches);
    }
}

}  // namespace tinplate
