// SPDX-License-Identifier: GPL-3.0-or-later
// The image library "mwdds": Targa to DDS and Targa to bitmap.
#pragma GCC visibility push(default)
#include "gfxlib/MwDds.h"
#pragma GCC visibility pop

#include "imagelibs/common/BitmapFormat.h"
#include "imagelibs/common/DdsFormat.h"
#include "imagelibs/common/EntryGuard.h"
#include "imagelibs/common/LibraryFiles.h"
#include "imagelibs/common/TargaFormat.h"

namespace tinplate {

namespace {

constexpr std::intptr_t kOpaque = 10;
constexpr std::intptr_t kWithAlpha = 11;
// Pixels start here in the bitmaps TGAcompressBMP writes: readers take the offset from the
// header, and the editor relies on this one.
constexpr std::uint32_t kCompressedBitmapPixelOffset = 74;

std::optional<Picture> ReadTrueColourTarga(std::intptr_t nameWord) {
    const auto name = NameFromWord(nameWord);
    const auto bytes = name ? ReadInputFile(*name) : std::nullopt;
    auto picture = bytes ? ParseTarga(*bytes) : std::nullopt;
    if (!picture) {
        return std::nullopt;
    }
    if (picture->bitsPerPixel == 8) {
        picture->pixels = ExpandToBgra(*picture);
        picture->colourTable.clear();
    }
    picture->bitsPerPixel = 32;
    return picture;
}

bool TargaToDds(std::intptr_t src, std::intptr_t alphaMode, std::intptr_t dst) {
    const auto name = NameFromWord(dst);
    if (!name || (alphaMode != kOpaque && alphaMode != kWithAlpha)) {
        return false;
    }
    auto picture = ReadTrueColourTarga(src);
    return picture &&
           WriteOutputFile(*name, EncodeDds(std::move(*picture), alphaMode == kWithAlpha));
}

bool TargaToBitmap(std::intptr_t src, std::intptr_t dst) {
    const auto name = NameFromWord(dst);
    auto picture = ReadTrueColourTarga(src);
    return name && picture &&
           WriteOutputFile(*name, EncodeBitmap(std::move(*picture), kCompressedBitmapPixelOffset));
}

}  // namespace

}  // namespace tinplate

// The entry points are the libraries' C interface, outside the namespace.
std::intptr_t TGAtoDDS(std::intptr_t src, std::intptr_t alphaMode, std::intptr_t, std::intptr_t,
                       std::intptr_t dst) {
    return tinplate::RunGuarded([&] { return tinplate::TargaToDds(src, alphaMode, dst); }) ? 0 : 1;
}

std::intptr_t TGAcompressBMP(std::intptr_t src, std::intptr_t, std::intptr_t, std::intptr_t,
                             std::intptr_t dst) {
    return tinplate::RunGuarded([&] { return tinplate::TargaToBitmap(src, dst); }) ? 0 : 1;
}
