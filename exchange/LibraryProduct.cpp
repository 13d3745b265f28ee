// SPDX-License-Identifier: GPL-3.0-or-later
#include "LibraryProduct.h"

#include "FileError.h"
#include "FileIo.h"

void RequireGfxProduct(GfxBinding& gfx, const char* entryPoint, const std::string& product,
                       const std::string& reportedFile) {
    if (FileExists(product)) {
        return;
    }
    if (!gfx.HasEntryPoint(entryPoint)) {
        throw FileError(reportedFile, "the image library (" + std::string(entryPoint) +
                                          ") is not available, so " + product + " was not made");
    }
    throw FileError(reportedFile, "the image library did not make " + product);
}

void RequireDdsLibraryProduct(const std::string& product, const std::string& reportedFile) {
    if (!FileExists(product)) {
        throw FileError(reportedFile, "the image library did not make " + product);
    }
}
