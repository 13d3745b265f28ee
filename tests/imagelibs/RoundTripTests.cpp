// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ByteOrder.h"
#include "ImageFiles.h"
#include "TestSupport.h"

namespace {

// Export writes an 8-bit texture as a colour-mapped Targa and import reads it back: palette
// and indices must survive byte for byte, rows unpadded even for odd widths.
TEST(IndexedRoundTrip, BitmapToTargaToBitmapKeepsTableAndIndices) {
    for (const auto& [width, height, tableBytes] :
         {std::tuple{16u, 8u, 1024u}, {13u, 7u, 128u}, {1u, 1u, 1024u}}) {
        SCOPED_TRACE(testing::Message() << width << "x" << height << " table " << tableBytes);
        ScratchDir scratch;
        const Bytes table = PatternBytes(tableBytes, 1);
        Bytes indices = PatternBytes(std::size_t{width} * height, 2);
        for (auto& index : indices) {
            index %= tableBytes / 4;
        }
        WriteBytes("tex.bmp", WorkingBitmap(width, height, 8, table, indices));
        ImageLibraries libraries;

        ASSERT_NE(libraries.BmpToAnys("tex.bmp", "tex"), 0);
        ASSERT_NE(libraries.TargaToExtendedBitmap("tex.tga", "ImportFile.bmp"), 0);

        const Bitmap bitmap = ReadBitmapFile("ImportFile.bmp");
        EXPECT_EQ(bitmap.bitsPerPixel, 8);
        EXPECT_EQ(bitmap.table, table);
        EXPECT_EQ(bitmap.pixels, indices);

        Bytes expected;
        for (std::uint8_t index : FlipRows(indices, width)) {
            expected.insert(expected.end(), table.begin() + index * 4,
                            table.begin() + index * 4 + 4);
        }
        EXPECT_EQ(MagickRgba("tex.tga"), BgraToRgba(expected));
    }
}

// Export of a 32-bit texture goes bitmap → Targa → DDS, import DDS → Targa → bitmap; the
// pixels must come back byte for byte and in the same row order, alpha included.
TEST(TrueColourRoundTrip, BitmapToDdsAndBackKeepsEveryByte) {
    for (const std::intptr_t alphaMode : {10, 11}) {
        SCOPED_TRACE(alphaMode);
        ScratchDir scratch;
        const std::uint32_t width = 24;
        const std::uint32_t height = 10;
        const Bytes pixels = PatternBytes(std::size_t{width} * height * 4, 3);
        WriteBytes("tex.bmp", WorkingBitmap(width, height, 32, {}, pixels));
        ImageLibraries libraries;

        ASSERT_NE(libraries.BmpToAnys("tex.bmp", "tex"), 0);
        ASSERT_EQ(libraries.TgaToDds("tex.tga", alphaMode, "tex.dds"), 0);
        ASSERT_EQ(libraries.TargaFromDds("ImportFile.tga", "tex.dds"), 0);
        ASSERT_EQ(libraries.TgaCompressBmp("ImportFile.tga", "ImportFile.bmp"), 0);

        const Bytes bitmap = ReadBytes("ImportFile.bmp");
        ASSERT_EQ(bitmap.size(), 74 + pixels.size());
        EXPECT_EQ(ReadLe32(bitmap, 10), 74u);
        EXPECT_EQ(ReadLe32(bitmap, 2), bitmap.size());
        EXPECT_EQ(Bytes(bitmap.begin() + 74, bitmap.end()), pixels);

        // Other programs see the same picture in every file of the chain.
        const Bytes topDown = BgraToRgba(FlipRows(pixels, width * 4));
        EXPECT_EQ(MagickRgba("tex.tga"), topDown);
        EXPECT_EQ(MagickRgba("ImportFile.tga"), topDown);
        Bytes ddsExpected = topDown;  // X8R8G8B8 reads as opaque
        for (std::size_t i = 3; alphaMode == 10 && i < ddsExpected.size(); i += 4) {
            ddsExpected[i] = 0xFF;
        }
        EXPECT_EQ(MagickRgba("tex.dds"), ddsExpected);
    }
}

// Targa images from other programs: packing, map depth, the map's first index and the origin
// all give the same working bitmap; entries below the map's first index stay empty.
TEST(TargaFromOtherWriters, ColourMappedImagesBecomeBottomUpWorkingBitmaps) {
    Bytes indices = PatternBytes(8, 5);
    for (auto& index : indices) {
        index %= 4;
    }
    for (const std::uint8_t type : {1, 9}) {
        for (const std::uint8_t entryBits : {24, 32}) {
            for (const std::uint8_t mapFirst : {0, 2}) {
                SCOPED_TRACE(testing::Message() << "type " << int{type} << " map " << int{entryBits}
                                                << " from " << int{mapFirst});
                ScratchDir scratch;
                Bytes targa = SmallTarga(type, 8, entryBits);
                targa[3] = mapFirst;
                WriteBytes("in.tga", targa);
                ASSERT_NE(ImageLibraries().TargaToExtendedBitmap("in.tga", "ImportFile.bmp"), 0);

                const Bytes map = PatternBytes(4 * entryBits / 8, 4);
                Bytes table(mapFirst * 4u, 0);
                for (std::size_t i = 0; i < map.size(); i += entryBits / 8) {
                    table.insert(table.end(), map.begin() + i, map.begin() + i + 3);
                    table.push_back(entryBits == 32 ? map[i + 3] : 0xFF);
                }
                const Bitmap bitmap = ReadBitmapFile("ImportFile.bmp");
                EXPECT_EQ(bitmap.table, table);
                EXPECT_EQ(bitmap.pixels, FlipRows(indices, 4));
            }
        }
    }
}

TEST(TargaFromOtherWriters, TrueColourImagesBecomeBottomUpBitmaps) {
    for (const std::uint8_t type : {2, 10}) {
        SCOPED_TRACE(testing::Message() << "type " << int{type});
        ScratchDir scratch;
        WriteBytes("in.tga", SmallTarga(type, 32, 0));
        ASSERT_EQ(ImageLibraries().TgaCompressBmp("in.tga", "ImportFile.bmp"), 0);
        const Bitmap bitmap = ReadBitmapFile("ImportFile.bmp");
        EXPECT_EQ(bitmap.pixelOffset, 74u);
        EXPECT_EQ(bitmap.pixels, FlipRows(PatternBytes(32, 5), 16));
    }
}

}  // namespace
