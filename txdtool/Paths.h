// SPDX-License-Identifier: GPL-3.0-or-later
// Naming files in messages by the paths the user typed.
#pragma once

#include <filesystem>
#include <string>
#include <utility>

#include "fileio/FileError.h"

namespace tinplate {

// The core names files by the paths it was handed; the user should read the names they typed.

// Runs `step`; a FileError about `internalName` is rethrown under `shownName`.
template <typename Step>
decltype(auto) ReportingAs(const std::string& internalName, const std::string& shownName,
                           Step&& step) {
    try {
        return std::forward<Step>(step)();
    } catch (const FileError& error) {
        if (error.fileName() != internalName) {
            throw;
        }
        throw FileError(shownName, error.reason());
    }
}

// Makes `folder` the current directory, where the core makes its products and finds the files
// it is handed by bare name.
void ChangeDirectory(const std::filesystem::path& folder, const std::string& shownName);

// The window's file dialogs only ever hand over existing files; here a FileError says why not.
void RequireRegularFile(const std::string& path);

}  // namespace tinplate
