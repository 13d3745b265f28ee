// SPDX-License-Identifier: GPL-3.0-or-later
// Walking folders for the dictionaries and archives they hold.
#pragma once

#include <atomic>
#include <functional>
#include <string>
#include <vector>

namespace tinplate {

// What a file found by the walk holds, as its name says.
enum class FoundFile { kDictionary, kArchive };

struct WalkCallbacks {
    std::function<void(const std::string& path, FoundFile what)> found;
    // A folder or file that could not be looked at, and why; the walk goes on without it.
    std::function<void(const std::string& path, const std::string& reason)> failed;
};

// Visits every root in turn. A root that is a folder is walked to its depths, each folder's
// names in byte order; within it, files named *.txd are dictionaries and *.img archives (letter
// case aside), everything else is passed over. A root that is not a folder is taken as it is
// named, an archive when it ends in .img, else a dictionary. Symbolic links inside a folder
// are not followed: what they point to inside the tree is reached at its own place, and
// nothing outside the tree is. A folder met twice (a bind mount inside itself) is walked once.
// `stop`, when set, ends the walk early.
void WalkFolders(const std::vector<std::string>& roots, const WalkCallbacks& callbacks,
                 const std::atomic<bool>* stop = nullptr);

// Whether a file name ends in `suffix` (".txd"), letter case aside.
bool HasSuffix(const std::string& name, const char* suffix);

}  // namespace tinplate
