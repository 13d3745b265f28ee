// SPDX-License-Identifier: GPL-3.0-or-later
// Changing into the output folder and checking operands are regular files.
#include "txdtool/Paths.h"

#include <sys/stat.h>

#include <cerrno>

namespace tinplate {

std::string ReasonForUser(const FileError& error) {
    if (!IsWorkingPath(error.fileName())) {
        return error.reason();
    }
    // The system's reason ends the text, after any texture the working file was made for.
    const std::string& reason = error.reason();
    const std::size_t colon = reason.rfind(": ");
    return "a working file could not be made in the private folder (" +
           (colon == std::string::npos ? reason : reason.substr(colon + 2)) + ")";
}

std::string FolderShown(const std::string& file) {
    const std::filesystem::path folder = std::filesystem::path(file).parent_path();
    return folder.empty() ? "." : folder.string();
}

std::string ExtensionWord(const std::string& path) {
    const std::string extension = std::filesystem::path(path).extension().string();
    return extension.empty() ? extension : extension.substr(1);
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
