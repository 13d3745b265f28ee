// SPDX-License-Identifier: GPL-3.0-or-later
// PNG, Targa, BMP and JPEG files read into and written from RGBA pictures.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "exchange/PictureFormat.h"
#include "texture/RgbaImage.h"

namespace tinplate {

// PNG, Targa (any type, either origin), BMP and JPEG read by stb_image. The picture must
// measure width x height (any size a texture can have when both are 0), which is checked before
// it is decoded; a FileError naming
// `fileName` refuses a file of another size (naming both sizes) and one stb_image cannot read.
RgbaImage DecodePictureFile(std::span<const std::uint8_t> file, const std::string& fileName,
                            std::uint32_t width, std::uint32_t height);

// A PNG, Targa or BMP file of the picture, alpha included, written by stb_image_write.
std::vector<std::uint8_t> EncodePictureFile(PictureFormat format, const RgbaImage& image);

}  // namespace tinplate
