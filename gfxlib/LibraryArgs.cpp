// SPDX-License-Identifier: GPL-3.0-or-later
// Name buffers for the image libraries.
#include "gfxlib/LibraryArgs.h"

#include <algorithm>

#include "fileio/FileError.h"

namespace tinplate {

NameBuffer::NameBuffer(const std::string& name) {
    if (name.size() >= kSize) {
        throw FileError(name, "the file name is longer than 255 characters");
    }
    // The library would read only up to the first NUL: a different file.
    if (name.find('\0') != std::string::npos) {
        throw FileError(name, "the file name contains a NUL character");
    }
    std::copy(name.begin(), name.end(), m_chars.begin());
}

}  // namespace tinplate
