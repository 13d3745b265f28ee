// SPDX-License-Identifier: GPL-3.0-or-later
// Changing into the output folder and checking operands are regular files.
#include "txdtool/Paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace tinplate {

void ChangeDirectory(const std::filesystem::path& folder, const std::string& shownName) {
    if (::chdir(folder.c_str()) != 0) {
        throw FileError::FromErrno(shownName, errno);
    }
}

void RequireRegularFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw FileError::FromErrno(path, errno);
    }
    if (!S_ISREG(info.st_mode)) {
        throw FileError(path, "not a regular file");
    }
}

}  // namespace tinplate
