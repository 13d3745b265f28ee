// SPDX-License-Identifier: GPL-3.0-or-later
// Decoding the game picture for the picture area, without the image library.
#include "texture/GamePreview.h"

#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "txd/TextureKinds.h"

namespace tinplate {

PreviewPicture RenderGamePreview(const TextureRecord& record) {
    PreviewPicture picture;
    if (!HasPicture(KindOf(record))) {
        return picture;
    }
    RgbaImage rgba = GamePicture(record);
    if (rgba.rgba.empty()) {
        picture.change = PreviewPicture::Change::Clear;
        return picture;
    }
    if (rgba.width > kPreviewSide || rgba.height > kPreviewSide) {
        rgba = BoxFilter(rgba, kPreviewSide, kPreviewSide);
    }
    picture.change = PreviewPicture::Change::Show;
    picture.image = {rgba.width, rgba.height, {}};
    picture.image.pixels.reserve(rgba.rgba.size() / 4);
    for (std::size_t i = 0; i + 3 < rgba.rgba.size(); i += 4) {
        picture.image.pixels.push_back(0xFF000000u | std::uint32_t{rgba.rgba[i]} << 16 |
                                       std::uint32_t{rgba.rgba[i + 1]} << 8 | rgba.rgba[i + 2]);
    }
    return picture;
}

}  // namespace tinplate
