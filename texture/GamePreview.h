// SPDX-License-Identifier: GPL-3.0-or-later
// The picture area's picture of a texture as the game draws it.
#pragma once

#include "preview/Preview.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// What View > As the Game Draws It shows: the texture's first level as its platform's games
// draw it (top row first, unswizzled), larger textures scaled to 256 x 256 like the stored
// view, opaque. Keep for a kind without a picture, Clear for a level that cannot be read in
// game order.
PreviewPicture RenderGamePreview(const TextureRecord& record);

}  // namespace tinplate
