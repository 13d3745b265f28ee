// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ImageFiles.h"
#include "TestSupport.h"

namespace {

struct BlockTexture {
    const char* fixture;
    const char* name;
    std::size_t offset;
    std::size_t size;
    std::uint32_t width;
    std::uint32_t height;
    int compression;
};

// Level-0 block data of third-party textures, at the offsets their README gives. The last
// case decodes the blocks of an 8 × 8 texture as a 6 × 5 image: partly used blocks.
const BlockTexture kTextures[] = {
    {"dxt.txd", "dxt1_256", 8632, 32768, 256, 256, 12},
    {"dxt.txd", "dxt1a_8x8", 107192, 32, 8, 8, 12},
    {"dxt.txd", "dxt3_256", 41528, 65536, 256, 256, 14},
    {"mixed.txd", "comp15_32", 17868, 1024, 32, 32, 15},
    {"dxt.txd", "dxt1a_8x8_as_6x5", 107192, 32, 6, 5, 12},
};

TEST(DxtDecode, BitmapAndTargaHoldTheDecodedPixels) {
    for (const BlockTexture& texture : kTextures) {
        SCOPED_TRACE(texture.name);
        ScratchDir scratch;
        const Bytes dictionary = ReadBytes(FixturePath(texture.fixture));
        ASSERT_GE(dictionary.size(), texture.offset + texture.size);
        const Bytes blocks(dictionary.begin() + texture.offset,
                           dictionary.begin() + texture.offset + texture.size);
        WriteBytes("Temp.dds",
                   BlockDds(texture.width, texture.height, texture.compression, blocks));
        const Bytes reference =
            DecodeBlocks(texture.compression, texture.width, texture.height, blocks);

        ImageLibraries libraries;
        ASSERT_NE(libraries.AnyToBmps("Temp.dds", "Temp.bmp"), 0);
        const Bitmap bitmap = ReadBitmapFile("Temp.bmp");
        EXPECT_EQ(bitmap.width, texture.width);
        EXPECT_EQ(bitmap.height, texture.height);
        EXPECT_EQ(bitmap.bitsPerPixel, 32);
        EXPECT_EQ(bitmap.pixelOffset, 54u);
        EXPECT_EQ(BgraToRgba(FlipRows(bitmap.pixels, texture.width * 4)), reference);

        ASSERT_EQ(libraries.TargaFromDds("ImportFile.tga", "Temp.dds"), 0);
        EXPECT_EQ(MagickRgba("ImportFile.tga"), reference);
    }
}

}  // namespace
