// SPDX-License-Identifier: GPL-3.0-or-later
// Telling a file from an archive's entry on the command line.
#include "document/DictionaryPlace.h"

#include "archive/Archive.h"
#include "fileio/FileIo.h"

namespace tinplate {

DictionaryPlace PlaceOf(const std::string& argument) {
    if (FileExists(argument)) {
        return {argument, {}};
    }
    for (std::size_t colon = argument.rfind(':'); colon != std::string::npos && colon > 0;
         colon = argument.rfind(':', colon - 1)) {
        const std::string archive = argument.substr(0, colon);
        if (HasArchiveEnding(archive) && colon + 1 < argument.size()) {
            return {archive, argument.substr(colon + 1)};
        }
    }
    return {argument, {}};
}

}  // namespace tinplate
