// SPDX-License-Identifier: GPL-3.0-or-later
// Archives as the scan sees them.
#include "scan/ArchiveDictionaries.h"

namespace tinplate {

void ForEachArchiveDictionary(const std::string& /*archive*/, const ArchiveCallbacks& callbacks) {
    callbacks.failed({}, "IMG archives cannot be read by this build");
}

}  // namespace tinplate
