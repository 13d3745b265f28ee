// SPDX-License-Identifier: GPL-3.0-or-later
// Patching a dictionary's bytes in place after checking it is the file that was opened.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"

namespace tinplate {

// Bytes that replace the ones at `offset`.
struct Patch {
    std::uint64_t offset = 0;
    std::span<const std::uint8_t> bytes;
};

// Writes the dictionary that `lock` holds anew: its bytes as they are with `patches` (disjoint,
// inside the file) applied, built in one pass in a hidden file beside it and put in its place
// in one step, its mode, owner and group kept. Where the folder takes no new file but the
// dictionary itself is writable, the patches are written in place instead. Nothing is written
// when the file is no longer the `opened` one (ChangedOnDiskError) or the user may not write
// it. Returns the identity of the dictionary now on disk.
FileIdentity RewriteDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                               std::vector<Patch> patches);

}  // namespace tinplate
