// SPDX-License-Identifier: GPL-3.0-or-later
// The restructuring edits of a dictionary's texture list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "texture/PictureDrawing.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Restructuring edits of a dictionary's texture list (list order is file order). Each does all
// it says or throws EditRefused and leaves the list as it was. A texture given a new picture,
// size, kind or levels is laid out anew; removing, renaming and moving lay out nothing, so the
// writer copies every other block as it was. Those that can find nothing to do return false
// and change nothing. Pictures are converted as Image > Import From converts them.

// Appends a texture of `kind` drawn from `picture`, with one level, in the layout of the
// first texture (of `platformWhenEmpty` in an empty dictionary).
void AddTexture(std::vector<TextureEntry>& textures, const std::string& name, FilePicture picture,
                TextureKind kind, const PictureImportOptions& options = {},
                std::uint32_t platformWhenEmpty = platform::kUsual);
void RemoveTexture(std::vector<TextureEntry>& textures, std::size_t index);
void RenameTexture(std::vector<TextureEntry>& textures, std::size_t index, const std::string& name);

enum class MoveDirection { kUp, kDown };
void MoveTexture(std::vector<TextureEntry>& textures, std::size_t index, MoveDirection direction);

// The texture shows `picture` and takes its size; it keeps its kind and, when it has levels,
// gets a full chain at the new size.
void ReplaceTexture(std::vector<TextureEntry>& textures, std::size_t index, FilePicture picture,
                    const PictureImportOptions& options = {});
bool ChangeKind(std::vector<TextureEntry>& textures, std::size_t index, TextureKind kind,
                const PictureImportOptions& options = {});
// Sides are powers of two; the box filter scales the first level, and a texture with levels
// gets a full chain at its new size.
bool ResizeTexture(std::vector<TextureEntry>& textures, std::size_t index, std::uint32_t width,
                   std::uint32_t height, const PictureImportOptions& options = {});
bool MakeMipLevels(std::vector<TextureEntry>& textures, std::size_t index,
                   const PictureImportOptions& options = {});
bool RemoveMipLevels(std::vector<TextureEntry>& textures, std::size_t index);

}  // namespace tinplate
