// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "TestSupport.h"

namespace {

TEST(BmpResize, TrueColourAveragesCoveredAreasWithAlpha) {
    ScratchDir scratch;
    // 4 × 2, rows bottom-up: each 2 × 2 quarter turns into one pixel of a 2 × 1 image.
    const Bytes pixels =
        Bytes({0, 0, 0,  0,  100, 40, 8, 255, 200, 200, 200, 255, 50, 50, 50, 255,
               4, 8, 12, 16, 0,   0,  0, 0,   10,  10,  10,  255, 0,  0,  0,  255});
    WriteBytes("MipMapIn.bmp", WorkingBitmap(4, 2, 32, {}, pixels));
    ImageLibraries().BmpResize("MipMapIn.bmp", "MipMapOut.bmp", 2, 1);

    const Bitmap out = ReadBitmapFile("MipMapOut.bmp");
    EXPECT_EQ(out.bitsPerPixel, 32);
    EXPECT_EQ(out.width, 2u);
    EXPECT_EQ(out.height, 1u);
    EXPECT_EQ(out.pixels, Bytes({26, 12, 5, 68, 65, 65, 65, 255}));
}

TEST(BmpResize, UnevenFactorsWeighPartlyCoveredPixelsByArea) {
    ScratchDir scratch;
    // 3 × 1 grey levels 0, 90, 210 into 2 × 1: (0 + 90/2) * 2/3 = 30, (90/2 + 210) * 2/3 = 170.
    const Bytes pixels = Bytes({0, 0, 0, 255, 90, 90, 90, 255, 210, 210, 210, 255});
    WriteBytes("in.bmp", WorkingBitmap(3, 1, 32, {}, pixels));
    ImageLibraries().BmpResize("in.bmp", "out.bmp", 2, 1);
    EXPECT_EQ(ReadBitmapFile("out.bmp").pixels, Bytes({30, 30, 30, 255, 170, 170, 170, 255}));
}

TEST(BmpResize, IndexedPicksNearestPaletteColourAndPadsTheTable) {
    ScratchDir scratch;
    // A 32-entry palette: black, white, mid grey, and white at half alpha; the rest far away.
    Bytes table(128, 0);
    const std::uint8_t entries[][4] = {
        {0, 0, 0, 255}, {255, 255, 255, 255}, {128, 128, 128, 255}, {255, 255, 255, 128}};
    for (std::size_t i = 0; i < 4; ++i) {
        std::copy(entries[i], entries[i] + 4, table.begin() + i * 4);
    }
    for (std::size_t i = 4; i < 32; ++i) {
        table[i * 4 + 2] = 255;  // transparent red
    }
    // 4 × 2: the left 2 × 2 is black and white (mean: grey); the right 2 × 2 is one white and
    // three half-alpha whites (mean alpha 160: only alpha tells entries 1 and 3 apart).
    const Bytes indices = {0, 1, 1, 3, 1, 0, 3, 3};
    WriteBytes("MipMapIn.bmp", WorkingBitmap(4, 2, 8, table, indices));
    ImageLibraries().BmpResize("MipMapIn.bmp", "MipMapOut.bmp", 2, 1);

    const Bitmap out = ReadBitmapFile("MipMapOut.bmp");
    EXPECT_EQ(out.bitsPerPixel, 8);
    EXPECT_EQ(out.pixelOffset, 1078u);
    Bytes paddedTable = table;
    paddedTable.resize(1024, 0);
    EXPECT_EQ(out.table, paddedTable);
    EXPECT_EQ(out.pixels, Bytes({2, 3}));
}

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

// Bitmaps from other programs pad their rows to 4 bytes; the padding is no pixel data.
TEST(BmpResize, ReadsOrdinaryPaddedBitmaps) {
    ScratchDir scratch;
    const Bytes table = PatternBytes(1024, 6);
    const Bytes paddedRows = {7, 8, 9, 0xEE, 10, 11, 12, 0xEE};
    WriteBytes("in.bmp", WorkingBitmap(3, 2, 8, table, paddedRows));
    ImageLibraries().BmpResize("in.bmp", "out.bmp", 3, 2);
    EXPECT_EQ(ReadBitmapFile("out.bmp").pixels, Bytes({7, 8, 9, 10, 11, 12}));
}

}  // namespace
