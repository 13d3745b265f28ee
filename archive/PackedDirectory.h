// SPDX-License-Identifier: GPL-3.0-or-later
// The directory a version-1 pack puts beside the old one before its data file takes effect.
#pragma once

#include <cstdint>
#include <string>

namespace tinplate {

// A version-1 archive is two files, and no rename replaces two files at once. So a pack first
// writes the new directory beside the old one under a name that carries the new data file's
// inode number, then renames the data file into place (the moment the pack takes effect) and
// the new directory after it. Whatever stops the pack, the data file's inode tells which
// directory describes it: a packed directory waiting under its number, or else the old one.

// The name the packed directory of `directory` waits under for the data file `dataInode`.
std::string PackedDirectoryPath(const std::string& directory, std::uint64_t dataInode);

// The directory file that describes the data file `dataInode`.
std::string DirectoryFor(const std::string& directory, std::uint64_t dataInode);

// Only while holding the archive's lock: puts the packed directory that describes the data file
// `dataInode` in place of `directory`, and removes those a pack stopped before its data file
// took effect left behind. True when `directory` was replaced.
bool FinishInterruptedPack(const std::string& directory, std::uint64_t dataInode);

}  // namespace tinplate
