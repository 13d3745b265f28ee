// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ByteOrder.h"
#include "ImageFiles.h"
#include "TestSupport.h"

namespace {

struct IndexedCase {
    std::uint32_t width;
    std::uint32_t height;
    std::size_t tableBytes;
};

class IndexedRoundTrip : public testing::TestWithParam<IndexedCase> {};

// Export writes an 8-bit texture as a colour-mapped Targa and import reads it back: palette
// and indices must survive byte for byte, rows unpadded even for odd widths.
TEST_P(IndexedRoundTrip, BitmapToTargaToBitmapKeepsTableAndIndices) {
    const auto [width, height, tableBytes] = GetParam();
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

    const Bytes bitmap = ReadBytes("ImportFile.bmp");
    ASSERT_EQ(bitmap.size(), 54 + table.size() + indices.size());
    EXPECT_EQ(ReadLe32(bitmap, 10), 54 + table.size());
    EXPECT_EQ(ReadLe16(bitmap, 28), 8);
    EXPECT_EQ(Bytes(bitmap.begin() + 54, bitmap.begin() + 54 + table.size()), table);
    EXPECT_EQ(Bytes(bitmap.begin() + 54 + table.size(), bitmap.end()), indices);

    Bytes expected;
    for (std::uint8_t index : FlipRows(indices, width)) {
        expected.insert(expected.end(), table.begin() + index * 4, table.begin() + index * 4 + 4);
    }
    EXPECT_EQ(MagickRgba("tex.tga"), BgraToRgba(expected));
}

void PrintTo(const IndexedCase& c, std::ostream* out) {
    *out << c.width << "x" << c.height << " with " << c.tableBytes << "-byte table";
}

INSTANTIATE_TEST_SUITE_P(Palettes, IndexedRoundTrip,
                         testing::Values(IndexedCase{16, 8, 1024}, IndexedCase{13, 7, 128},
                                         IndexedCase{1, 1, 1024}),
                         [](const auto& info) {
                             return std::to_string(info.param.width) + "x" +
                                    std::to_string(info.param.height) + "_table" +
                                    std::to_string(info.param.tableBytes);
                         });

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
        Bytes ddsSeen = MagickRgba("tex.dds");
        Bytes ddsExpected = topDown;
        if (alphaMode == 10) {
            for (std::size_t i = 3; i < ddsExpected.size(); i += 4) {
                ddsExpected[i] = 0xFF;
            }
        }
        EXPECT_EQ(ddsSeen, ddsExpected);
    }
}

// Targa images from other programs: either packing, map depth and origin give the same result.
TEST(TargaFromOtherWriters, ColourMappedImagesBecomeBottomUpWorkingBitmaps) {
    for (const std::uint8_t type : {1, 9}) {
        for (const std::uint8_t entryBits : {24, 32}) {
            SCOPED_TRACE(testing::Message() << "type " << int{type} << " map " << int{entryBits});
            ScratchDir scratch;
            WriteBytes("in.tga", SmallTarga(type, 8, entryBits));
            ASSERT_NE(ImageLibraries().TargaToExtendedBitmap("in.tga", "ImportFile.bmp"), 0);

            const Bytes map = PatternBytes(4 * entryBits / 8, 4);
            Bytes table;
            for (std::size_t i = 0; i < map.size(); i += entryBits / 8) {
                table.insert(table.end(), map.begin() + i, map.begin() + i + 3);
                table.push_back(entryBits == 32 ? map[i + 3] : 0xFF);
            }
            Bytes indices = PatternBytes(8, 5);
            for (auto& index : indices) {
                index %= 4;
            }
            const Bytes bitmap = ReadBytes("ImportFile.bmp");
            ASSERT_EQ(bitmap.size(), 54 + table.size() + indices.size());
            EXPECT_EQ(ReadLe32(bitmap, 10), 54 + table.size());
            EXPECT_EQ(Bytes(bitmap.begin() + 54, bitmap.begin() + 54 + table.size()), table);
            EXPECT_EQ(Bytes(bitmap.begin() + 54 + table.size(), bitmap.end()),
                      FlipRows(indices, 4));
        }
    }
}

TEST(TargaFromOtherWriters, MapsStartingPastIndexZeroKeepTheirIndices) {
    ScratchDir scratch;
    Bytes targa = SmallTarga(1, 8, 32);
    targa[3] = 2;  // the map holds entries 2 to 5
    WriteBytes("in.tga", targa);
    ASSERT_NE(ImageLibraries().TargaToExtendedBitmap("in.tga", "ImportFile.bmp"), 0);

    Bytes table(8, 0);
    const Bytes map = PatternBytes(16, 4);
    table.insert(table.end(), map.begin(), map.end());
    const Bytes bitmap = ReadBytes("ImportFile.bmp");
    EXPECT_EQ(ReadLe32(bitmap, 10), 54 + table.size());
    EXPECT_EQ(Bytes(bitmap.begin() + 54, bitmap.begin() + 54 + table.size()), table);
    EXPECT_EQ(Bytes(bitmap.begin() + 54 + table.size(), bitmap.end()),
              FlipRows(Bytes(targa.end() - 8, targa.end()), 4));
}

TEST(TargaFromOtherWriters, TrueColourImagesBecomeBottomUpBitmaps) {
    for (const std::uint8_t type : {2, 10}) {
        SCOPED_TRACE(testing::Message() << "type " << int{type});
        ScratchDir scratch;
        WriteBytes("in.tga", SmallTarga(type, 32, 0));
        ASSERT_EQ(ImageLibraries().TgaCompressBmp("in.tga", "ImportFile.bmp"), 0);
        const Bytes bitmap = ReadBytes("ImportFile.bmp");
        ASSERT_EQ(bitmap.size(), 74u + 32);
        EXPECT_EQ(Bytes(bitmap.begin() + 74, bitmap.end()), FlipRows(PatternBytes(32, 5), 16));
    }
}

}  // namespace
