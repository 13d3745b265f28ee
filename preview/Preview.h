// SPDX-License-Identifier: GPL-3.0-or-later
// Showing a texture: its picture through the image library, and what the picture area does.
#pragma once

#include "gfxlib/GfxBinding.h"
#include "preview/BitmapImage.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// What the picture area does after a preview.
struct PreviewPicture {
    enum class Change {
        Keep,   // the texture has no displayable kind: the earlier picture stays
        Show,   // `image` is the new picture
        Clear,  // the working bitmap could not be made or loaded: the picture empties
    };
    Change change = Change::Keep;
    Image image;
};

inline constexpr std::uint32_t kPreviewSide = 256;

// Turns the record into a picture through the working files "Temp.bmp" / "Temp.dds" in the
// working folder (larger textures scaled to 256 x 256 by the image library). The working
// files are gone when it returns, whether it succeeded or threw a FileError.
PreviewPicture RenderPreview(const TextureRecord& record, GfxBinding& gfx);

}  // namespace tinplate
