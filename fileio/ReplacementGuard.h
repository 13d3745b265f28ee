// SPDX-License-Identifier: GPL-3.0-or-later
// The checks every replacement of a locked dictionary passes first.
#pragma once

#include "fileio/DictionaryLock.h"
#include "fileio/FileIdentity.h"

namespace tinplate {

// Before the dictionary `lock` holds is replaced: refused (ChangedOnDiskError) when it is no
// longer the `opened` file, and with a FileError when the user may not write it, although its
// folder would take a replacement. Under the lock no other replacement of the file is under
// way, so any temporary left beside it is stale and is removed.
void PrepareReplacement(const DictionaryLock& lock, const FileIdentity& opened);

}  // namespace tinplate
