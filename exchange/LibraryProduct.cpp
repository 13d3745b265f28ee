// SPDX-License-Identifier: GPL-3.0-or-later
// The reasons given when an image library's file is missing.
#include "exchange/LibraryProduct.h"

#include <filesystem>

#include "fileio/FileError.h"
#include "fileio/FileIo.h"

namespace tinplate {

namespace {

// Working files are named without their folder, which is the process's own.
std::string Shown(const std::string& product) {
    return std::filesystem::path(product).filename().string();
}

}  // namespace

void RequireGfxProduct(GfxBinding& gfx, const char* entryPoint, const std::string& product,
                       const std::string& reportedFile) {
    if (FileExists(product)) {
        return;
    }
    if (!gfx.HasEntryPoint(entryPoint)) {
        throw FileError(reportedFile, "the image library (" + std::string(entryPoint) +
                                          ") is not available, so " + Shown(product) +
                                          " was not made");
    }
    throw FileError(reportedFile, "the image library did not make " + Shown(product));
}

void RequireDdsLibraryProduct(const std::string& product, const std::string& reportedFile) {
    if (!FileExists(product)) {
        throw FileError(reportedFile, "the image library did not make " + Shown(product));
    }
}

}  // namespace tinplate
