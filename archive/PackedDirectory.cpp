// SPDX-License-Identifier: GPL-3.0-or-later
// Finding and finishing the directory a stopped version-1 pack left beside the old one.
#include "archive/PackedDirectory.h"

#include <filesystem>

#include "fileio/AtomicFile.h"

namespace tinplate {

namespace {

namespace fs = std::filesystem;

constexpr const char* kMarker = ".tinplate-packed-";

std::string WaitingPrefix(const std::string& directory) {
    // Appended piece by piece: GCC 12 warns falsely about "." + a temporary string.
    std::string prefix = ".";
    prefix += fs::path(directory).filename().string();
    prefix += kMarker;
    return prefix;
}

}  // namespace

std::string PackedDirectoryPath(const std::string& directory, std::uint64_t dataInode) {
    return (fs::path(directory).parent_path() /
            (WaitingPrefix(directory) + std::to_string(dataInode)))
        .string();
}

std::string DirectoryFor(const std::string& directory, std::uint64_t dataInode) {
    const std::string packed = PackedDirectoryPath(directory, dataInode);
    std::error_code ignored;
    return fs::is_regular_file(fs::symlink_status(packed, ignored)) ? packed : directory;
}

bool FinishInterruptedPack(const std::string& directory, std::uint64_t dataInode) {
    const std::string current = DirectoryFor(directory, dataInode);
    const bool finishing = current != directory;
    if (finishing) {
        MoveIntoPlace(current, directory, directory);
    }
    const fs::path parent = fs::path(directory).parent_path();
    const std::string prefix = WaitingPrefix(directory);
    std::error_code ignored;
    for (const auto& item : fs::directory_iterator(parent.empty() ? "." : parent, ignored)) {
        const std::string name = item.path().filename().string();
        // A waiting directory is itself written through a temporary beside it.
        if ((name.starts_with(prefix) || name.starts_with("." + prefix)) &&
            item.symlink_status(ignored).type() == fs::file_type::regular) {
            fs::remove(item.path(), ignored);
        }
    }
    return finishing;
}

}  // namespace tinplate
