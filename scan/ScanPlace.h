// SPDX-License-Identifier: GPL-3.0-or-later
// Where the scan found a dictionary: a file of its own, or an entry of an archive.
#pragma once

#include <string>

namespace tinplate {

struct ScanPlace {
    std::string file;   // the dictionary's file, or the archive that holds it
    std::string entry;  // the entry's name inside the archive; empty for a file of its own

    bool InArchive() const { return !entry.empty(); }
    bool operator==(const ScanPlace&) const = default;
};

// How people and txdtool's operands name a place: FILE, or ARCHIVE:ENTRY.
inline std::string PlaceText(const ScanPlace& place) {
    return place.InArchive() ? place.file + ':' + place.entry : place.file;
}

}  // namespace tinplate
