// SPDX-License-Identifier: GPL-3.0-or-later
// The texts shown after a successful export or import.
#pragma once

namespace tinplate {

// The texts the window's message boxes and the command line show after a successful
// exchange: uncompressed imports and block-compressed imports are reported differently.
inline constexpr const char* kFileExportedMessage = "File Exported";
inline constexpr const char* kFileImportedMessage = "File Imported";
inline constexpr const char* kBlocksImportedMessage = "FileImported";

}  // namespace tinplate
