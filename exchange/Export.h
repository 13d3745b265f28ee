// SPDX-License-Identifier: GPL-3.0-or-later
// Export of a texture through the image libraries into a folder.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "gfxlib/GfxBinding.h"
#include "txd/TextureRecord.h"

namespace tinplate {

enum class ExportOutcome {
    Exported,       // the product named by ExportFileName exists
    NotExportable,  // a kind with no image file: nothing was touched
};

// The file name an export of this texture takes in its folder: name.tga for 8-bit,
// name.dds for 32-bit and block-compressed textures; nothing for other kinds.
std::optional<std::string> ExportFileName(const std::string& name, const TextureRecord& record);

// Writes the texture, top level only and its bytes as held, to ExportFileName in `folder` (an
// empty path is the current directory), replacing any file of that name only once the new one
// is complete. Every failure is a FileError: an unsafe name, a file that cannot be written, or a
// product the image libraries did not make; any older product stays as it was. The working
// files name.bmp, name.tga and name.dds (in the working folder) are gone when it returns.
ExportOutcome ExportTexture(const std::filesystem::path& folder, const std::string& name,
                            const TextureRecord& record, GfxBinding& gfx);

}  // namespace tinplate
