// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures through the image libraries' conversions and back.
#include <gtest/gtest.h>

#include "fileio/ByteOrder.h"
#include "tests/imagelibs/ImageFiles.h"
#include "tests/support/TestSupport.h"

namespace tinplate {

namespace {

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

}  // namespace tinplate
