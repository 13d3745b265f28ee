// SPDX-License-Identifier: GPL-3.0-or-later
// The folder named by -C, and the report of each product written.
#include "txdtool/Products.h"

#include <system_error>

#include "txdtool/Batch.h"
#include "txdtool/Report.h"

namespace tinplate {

std::filesystem::path ProductFolder(const std::optional<std::string>& directory) {
    if (!directory) {
        return {};
    }
    std::error_code error;
    std::filesystem::create_directories(*directory, error);
    if (!error && !std::filesystem::is_directory(*directory, error)) {
        error = std::make_error_code(std::errc::not_a_directory);
    }
    if (error) {
        throw FileError(*directory,
                        "the folder named by -C cannot be made or used: " + error.message());
    }
    return *directory;
}

void MakeFolderOf(const std::string& path) {
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code error;
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    if (error) {
        throw FileError(folder.string(), "the folder cannot be made: " + error.message());
    }
}

void ReportProduct(const std::string& path) {
    if (!IsQuiet()) {
        Output() << path << '\n';
    }
}

void RequireProducts(DictionaryFile& dictionary, std::ptrdiff_t possible,
                     const std::string& kinds) {
    if (possible == 0) {
        throw FileError(
            dictionary.shownName(),
            "nothing was exported: " + (dictionary.textures().empty()
                                            ? std::string("the dictionary holds no textures")
                                            : "no texture is of a kind that makes " + kinds));
    }
}

}  // namespace tinplate
