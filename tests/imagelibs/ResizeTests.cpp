// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "TestSupport.h"

namespace {

TEST(BmpResize, ResizesInPlaceAndWritesEmptyImagesForSidesOfZero) {
    ScratchDir scratch;
    const Bytes pixels = PatternBytes(512 * 300 * 4, 4);
    WriteBytes("Temp.bmp", WorkingBitmap(512, 300, 32, {}, pixels));
    ImageLibraries libraries;
    libraries.BmpResize("Temp.bmp", "Temp.bmp", 256, 256);
    Bitmap out = ReadBitmapFile("Temp.bmp");
    EXPECT_EQ(out.width, 256u);
    EXPECT_EQ(out.height, 256u);
    EXPECT_EQ(out.pixels.size(), 256u * 256 * 4);
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"Temp.bmp"});

    const Bytes table = PatternBytes(1024, 5);
    WriteBytes("MipMapIn.bmp", WorkingBitmap(2, 2, 8, table, Bytes{1, 2, 3, 4}));
    libraries.BmpResize("MipMapIn.bmp", "MipMapOut.bmp", 0, 1);
    out = ReadBitmapFile("MipMapOut.bmp");
    EXPECT_EQ(out.width, 0u);
    EXPECT_EQ(out.height, 1u);
    EXPECT_EQ(out.pixelOffset, 1078u);
    EXPECT_TRUE(out.pixels.empty());
}

}  // namespace
