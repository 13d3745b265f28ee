// SPDX-License-Identifier: GPL-3.0-or-later
// Writing entries out under names that stay inside the chosen folder.
#include "archive/ArchiveExtract.h"

#include <sys/stat.h>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "fileio/PrintableText.h"

namespace tinplate {

std::string ExtractionFileName(std::string_view entryName) {
    std::string name;
    for (const char c : entryName) {
        name += (c == '/' || c == '\\' || IsControlCharacter(c)) ? '_' : c;
    }
    if (name.empty() || name.front() == '.') {
        name.insert(0, "_");
    }
    return name;
}

std::string ExtractEntry(const Archive& archive, std::size_t index, const std::string& folder) {
    const std::string path = folder + "/" + ExtractionFileName(archive.entries().at(index).name);
    const std::vector<std::uint8_t> content = archive.ReadContent(index);
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        throw FileError(PrintableText(path), "is a symbolic link; the entry is not written there");
    }
    WriteProductFile(path, {content});
    return path;
}

}  // namespace tinplate
