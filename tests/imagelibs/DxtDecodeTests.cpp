// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <squish.h>

#include "ByteOrder.h"
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
    const char* fourCc;
    int squishFlag;
};

// Level-0 block data of third-party textures, at the offsets their README gives. The last
// case decodes the blocks of an 8 × 8 texture as a 6 × 5 image: partly used blocks.
const BlockTexture kTextures[] = {
    {"dxt.txd", "dxt1_256", 8632, 32768, 256, 256, "DXT1", squish::kDxt1},
    {"dxt.txd", "dxt1a_8x8", 107192, 32, 8, 8, "DXT1", squish::kDxt1},
    {"dxt.txd", "dxt3_256", 41528, 65536, 256, 256, "DXT3", squish::kDxt3},
    {"mixed.txd", "comp15_32", 17868, 1024, 32, 32, "DXT5", squish::kDxt5},
    {"dxt.txd", "dxt1a_8x8_as_6x5", 107192, 32, 6, 5, "DXT1", squish::kDxt1},
};

void PrintTo(const BlockTexture& texture, std::ostream* out) {
    *out << texture.name;
}

class DxtDecode : public testing::TestWithParam<BlockTexture> {};

TEST_P(DxtDecode, BitmapAndTargaHoldTheDecodedPixels) {
    const BlockTexture& texture = GetParam();
    ScratchDir scratch;
    const Bytes dictionary = ReadBytes(FixturePath(texture.fixture));
    ASSERT_GE(dictionary.size(), texture.offset + texture.size);
    const Bytes blocks(dictionary.begin() + texture.offset,
                       dictionary.begin() + texture.offset + texture.size);
    WriteBytes("Temp.dds", BlockDds(texture.width, texture.height, texture.fourCc, blocks));

    Bytes reference(std::size_t{texture.width} * texture.height * 4);
    squish::DecompressImage(reference.data(), texture.width, texture.height, blocks.data(),
                            texture.squishFlag);

    ImageLibraries libraries;
    ASSERT_NE(libraries.AnyToBmps("Temp.dds", "Temp.bmp"), 0);
    const Bytes bitmap = ReadBytes("Temp.bmp");
    ASSERT_EQ(bitmap.size(), 54 + reference.size());
    EXPECT_EQ(ReadLe32(bitmap, 18), texture.width);
    EXPECT_EQ(ReadLe32(bitmap, 22), texture.height);
    EXPECT_EQ(ReadLe16(bitmap, 28), 32);
    const Bytes bottomUp(bitmap.begin() + 54, bitmap.end());
    EXPECT_EQ(BgraToRgba(FlipRows(bottomUp, texture.width * 4)), reference);

    ASSERT_EQ(libraries.TargaFromDds("ImportFile.tga", "Temp.dds"), 0);
    EXPECT_EQ(MagickRgba("ImportFile.tga"), reference);
}

INSTANTIATE_TEST_SUITE_P(ThirdPartyBlocks, DxtDecode, testing::ValuesIn(kTextures),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
