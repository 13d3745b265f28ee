// SPDX-License-Identifier: GPL-3.0-or-later
// Checking that an image library really made the file it reported.
#pragma once

#include <string>

#include "gfxlib/GfxBinding.h"

namespace tinplate {

// An image library's result is no proof that its file is there: with the run-time library
// missing every call "succeeds" with 0. Each caller checks for the file it relies on.

// Throws FileError(reportedFile, ...) unless `product` exists; the reason tells whether the
// run-time library lacked `entryPoint` or ran without writing the file.
void RequireGfxProduct(GfxBinding& gfx, const char* entryPoint, const std::string& product,
                       const std::string& reportedFile);

// The same for a file of the linked library "mwdds".
void RequireDdsLibraryProduct(const std::string& product, const std::string& reportedFile);

}  // namespace tinplate
