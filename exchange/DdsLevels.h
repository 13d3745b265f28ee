// SPDX-License-Identifier: GPL-3.0-or-later
// DDS files of a texture's levels, and the first level of a DDS picture.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "texture/PictureDrawing.h"
#include "texture/RgbaImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The texture as a DDS file holding every level as the game draws it, the mip-map count
// set. Block-compressed textures keep their blocks and FourCC; uncompressed
// ones keep their texels (16-bit 565, 1555 and 4444, 24-bit and 32-bit, the alpha mask only
// when the texture uses alpha); 8-bit textures become A8R8G8B8 through their palette.
std::vector<std::uint8_t> EncodeDdsWithLevels(const TextureRecord& record);

// The texture's first and smaller levels as the game draws them (what EncodeDdsWithLevels
// writes), taken byte for byte from a DDS file that holds them: the texture's own size and
// kind (its FourCC, or the uncompressed layout EncodeDdsWithLevels writes for it) and at least
// as many levels as the texture has. Empty for any other file, 8-bit textures' included (their
// DDS holds colours, not indices).
struct StoredLevels {
    std::vector<std::uint8_t> first;
    std::vector<std::uint8_t> smaller;
};
std::optional<StoredLevels> GameLevelsInDds(std::span<const std::uint8_t> file,
                                            const TextureRecord& record);
// The same, only from a file that says how many levels it holds. The image library's own
// single-level DDS (Image > Export) never does: it holds the stored rows as the window shows
// them, which on some platforms is the game picture upside down.
std::optional<StoredLevels> CountedGameLevelsInDds(std::span<const std::uint8_t> file,
                                                   const TextureRecord& record);

// Reads DXT1, DXT3, DXT5 (decoded by libsquish), A8R8G8B8, X8R8G8B8 and R8G8B8 files. A
// FileError naming `fileName` refuses anything else, a file that ends early, and a first
// level that is not width x height (the message names both sizes; 0 x 0 takes any size a
// texture can have).
FilePicture ReadDdsFirstLevel(std::span<const std::uint8_t> file, const std::string& fileName,
                              std::uint32_t width, std::uint32_t height);

}  // namespace tinplate
