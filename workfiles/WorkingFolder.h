// SPDX-License-Identifier: GPL-3.0-or-later
// The process's private folder for files handed to the image libraries.
#pragma once

#include <cstddef>
#include <string>

namespace tinplate {

// The files handed to the image libraries live in a folder of the process's own (made with
// mkdtemp under $TMPDIR, else /tmp, readable by the user alone), never beside the user's
// files, so no file of theirs is ever overwritten or removed and two programs never share one.
// The folder is made on first need and removed with everything in it when the process ends.

// The full path of the working file `name` in the working folder, which is made if need be
// (FileError when it cannot be). The path always fits the libraries' 256-byte name buffer
// for names of up to kLongestWorkingName bytes.
std::string WorkingPath(const std::string& name);

// Whether `path` names a file in the working folder: such paths mean nothing to the user, so
// messages about them are reworded to name the user's own file.
bool IsWorkingPath(const std::string& path);

// Texture names have at most 32 bytes, and the longest working file adds ".bmp".
inline constexpr std::size_t kLongestWorkingName = 40;

// Removes the working folder at SIGINT, SIGTERM and SIGHUP before the signal ends the process
// (as well as any half-written replacement of a user's file), and ignores SIGXFSZ, so that a
// file-size limit is reported like a full disk. Called once at start.
void InstallExitCleanup();

}  // namespace tinplate
