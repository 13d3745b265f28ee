// SPDX-License-Identifier: GPL-3.0-or-later
// Entries written out as files of a chosen folder, and never anywhere else.
#pragma once

#include <string>
#include <string_view>

#include "archive/Archive.h"

namespace tinplate {

// The file name an entry is extracted to: its name with every folder separator made '_' and a
// leading dot made "_.", so that no name ("../x.txd", "/x.txd", "a/b.txd") reaches outside
// the folder or hides in it.
std::string ExtractionFileName(std::string_view entryName);

// Writes the entry's content to its extraction file name in `folder` (replaced whole, as
// every product is) and returns that path. A symbolic link of that name is refused rather than
// followed out of the folder.
std::string ExtractEntry(const Archive& archive, std::size_t index, const std::string& folder);

}  // namespace tinplate
