// SPDX-License-Identifier: GPL-3.0-or-later
// One of the image libraries' readers, named by TINPLATE_FUZZ_READER (ParseBitmap, ParseTarga
// or ParseDds), then what the libraries do with a picture once read: every encoder, the
// expansion to 32 bits, and a resize to half size and to a size taken from the input's end.
#include <algorithm>

#include "fuzz/FuzzTarget.h"
#include "imagelibs/common/BitmapFormat.h"
#include "imagelibs/common/DdsFormat.h"
#include "imagelibs/common/TargaFormat.h"
#include "imagelibs/mwgfx/BoxResize.h"

namespace tinplate {

namespace {

// The resize reads bitmaps where they lie; a decoded picture is one without row padding.
BitmapView ViewOf(const Picture& picture) {
    BitmapView view;
    view.width = picture.width;
    view.height = picture.height;
    view.bitsPerPixel = picture.bitsPerPixel;
    view.colourTable = picture.colourTable;
    view.pixels = picture.pixels;
    view.stride = std::uint64_t{picture.width} * static_cast<unsigned>(picture.bitsPerPixel / 8);
    return view;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> input(data, size);
    const auto picture = TINPLATE_FUZZ_READER(input);
    if (!picture) {
        return 0;
    }
    EncodeBitmap(*picture, 74);
    EncodeTarga(*picture);
    Picture trueColour = *picture;
    trueColour.pixels = ExpandToBgra(*picture);
    trueColour.colourTable.clear();
    trueColour.bitsPerPixel = 32;
    EncodeDds(std::move(trueColour), true);
    const BitmapView view = ViewOf(*picture);
    BoxResize(view, std::max(picture->width / 2, 1u), std::max(picture->height / 2, 1u));
    BoxResize(view, data[size - 2] % 64u, data[size - 1] % 64u);
    return 0;
}

}  // namespace tinplate
