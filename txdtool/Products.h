// SPDX-License-Identifier: GPL-3.0-or-later
// Where the exporting commands make their products, and what they say about them.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "fileio/AtomicFile.h"
#include "fileio/FileError.h"
#include "txdtool/DictionaryFile.h"
#include "txdtool/Paths.h"

namespace tinplate {

// The folder -C names, made (with its parents) when missing; the current directory without
// -C. A FileError names the folder and why it cannot be used.
std::filesystem::path ProductFolder(const std::optional<std::string>& directory);

// Makes the folders a product's path names, as -C makes its folder.
void MakeFolderOf(const std::string& path);

// Runs `write`, which makes the product `path`; a folder that takes no new file is named.
template <typename Write>
void WritingProduct(const std::string& path, Write&& write) {
    try {
        std::forward<Write>(write)();
    } catch (const FolderRefusedError& error) {
        throw FileError(path, "cannot make a file in " + FolderShown(path) + ": " + error.reason());
    }
}

// Prints the path of a product made, unless -q.
void ReportProduct(const std::string& path);

// A command asked for products that can make none fails before it makes anything (the -C
// folder included), saying why: `kinds` tells which textures make one ("a picture").
void RequireProducts(DictionaryFile& dictionary, std::ptrdiff_t possible, const std::string& kinds);

}  // namespace tinplate
