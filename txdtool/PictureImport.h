// SPDX-License-Identifier: GPL-3.0-or-later
// The file import takes for a texture without conversion.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "txdtool/CommandLine.h"
#include "txdtool/DictionaryFile.h"

namespace tinplate {

// The file today's Import takes for this texture without conversion: a colour-mapped Targa
// whose map fills an 8-bit texture's palette, an uncompressed 32-bit DDS for a 32-bit
// texture, a DDS of a block-compressed texture's own FourCC.
bool IsImportFileAsTaken(const TextureRecord& record, const std::vector<std::uint8_t>& file);

// Converts the picture in `image` into the texture's own kind, as Image > Import From does.
void ImportPicture(DictionaryFile& dictionary, TextureEntry& texture, const std::string& image,
                   const CommandArguments& arguments);

}  // namespace tinplate
