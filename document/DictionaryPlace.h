// SPDX-License-Identifier: GPL-3.0-or-later
// Where a dictionary lives: a file of its own, or an entry of an archive.
#pragma once

#include <string>

namespace tinplate {

struct DictionaryPlace {
    std::string path;   // the dictionary's file, or the archive's (as given)
    std::string entry;  // the entry's name inside the archive; empty for a file

    bool InArchive() const { return !entry.empty(); }
    // "FILE", or "ARCHIVE:ENTRY" as the command line names it.
    std::string Shown() const { return InArchive() ? path + ":" + entry : path; }
};

// The place `argument` names: an existing file is that file, whatever characters its name
// holds; otherwise "ARCHIVE.img:ENTRY" (or .dir) names an entry of that archive, split at the
// last colon after the archive's ending; anything else is a file.
DictionaryPlace PlaceOf(const std::string& argument);

}  // namespace tinplate
