// SPDX-License-Identifier: GPL-3.0-or-later
// Naming files in messages by the paths the user typed.
#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

// The core names files by the paths it was handed; the user should read the names they typed,
// never a path in the private working folder.

// The reason a FileError about an internal path gives the user: the system's words for a
// working file (the texture it was made for is no concern of theirs), else the reason as is.
std::string ReasonForUser(const FileError& error);

// Runs `step`; a FileError about `internalName` or about a working file is rethrown naming
// `shownName`.
template <typename Step>
decltype(auto) ReportingAs(const std::string& internalName, const std::string& shownName,
                           Step&& step) {
    try {
        return std::forward<Step>(step)();
    } catch (const FolderRefusedError&) {
        throw;
    } catch (const FileError& error) {
        if (error.fileName() != internalName && !IsWorkingPath(error.fileName())) {
            throw;
        }
        throw FileError(shownName, ReasonForUser(error));
    }
}

// The folder of `file` as the user would name it: "." for a bare file name.
std::string FolderShown(const std::string& file);

// The extension of `path` without its dot ("png" for "a/b.png"); empty when it has none.
std::string ExtensionWord(const std::string& path);

// The window's file dialogs only ever hand over existing files; here a FileError says why not.
void RequireRegularFile(const std::string& path);

}  // namespace tinplate
