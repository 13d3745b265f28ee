// SPDX-License-Identifier: GPL-3.0-or-later
// Import of an image library's file into a texture.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "gfxlib/GfxBinding.h"
#include "txd/TextureRecord.h"

namespace tinplate {

enum class ImportOutcome {
    Imported,        // an uncompressed texture took the file's palette and pixels
    ImportedBlocks,  // a block-compressed texture took the file's blocks
    Declined,        // an image library reported failure, or the kind has no import: unchanged
};

// What to tell the user: kFileImportedMessage, kBlocksImportedMessage, or nothing.
std::optional<std::string_view> ImportMessageFor(ImportOutcome outcome);

// Replaces the texture's palette and first level with those of `chosenFileName` (a Targa for
// 8-bit, a DDS for 32-bit and block-compressed textures), resolved against the current
// directory. The working files "ImportFile.bmp" and "ImportFile.tga" are made in the working
// folder and are gone again when it returns; the texture's smaller levels are then made again
// from the new first level (RemakeSmallerLevels). The texture changes only when the whole
// import succeeds: a file that does not fit the texture, or a library that claims success
// without its file, is a FileError naming the chosen file and the reason.
ImportOutcome ImportTexture(TextureRecord& record, const std::string& chosenFileName,
                            GfxBinding& gfx);

}  // namespace tinplate
