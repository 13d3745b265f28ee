// SPDX-License-Identifier: GPL-3.0-or-later
#include "TxdtoolTest.h"

TEST_F(TxdtoolTest, SwizzleAndUnswizzleGiveBackTheFile) {
    const auto original = WriteSmall();
    const ToolRun swizzled = RunTxdtool({"swizzle", "small.txd"});
    EXPECT_EQ(swizzled.status, 0) << swizzled.err;
    EXPECT_EQ(swizzled.out, "apple_pal32_32\nmango_rgba_64x32\n");  // 6 x 5 and DXT3 stay
    EXPECT_NE(ReadBytes("small.txd"), original);
    EXPECT_EQ(RunTxdtool({"unswizzle", "small.txd"}).status, 0);
    EXPECT_EQ(ReadBytes("small.txd"), original);
}

TEST_F(TxdtoolTest, UnswizzleGivesTheThirdPartyRowOrder) {
    CopyFixtureHere("mixed.txd");
    EXPECT_EQ(RunTxdtool({"unswizzle", "mixed.txd"}).status, 0);
    EXPECT_EQ(Sha256Hex(Record(ReadDictionary("mixed.txd"), "swz_rgba_32x64").pixels),
              "9cda88f843411e50d7d9aafdf31fe73a25f33796ba7a26810f1e7ad822f34a33");
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"mixed.txd"});
}

TEST_F(TxdtoolTest, FlipTwiceGivesBackTheFile) {
    const auto original = WriteSmall();
    for (const char* name : {"dxt3_32", "odd_pal8_6x5"}) {
        EXPECT_EQ(RunTxdtool({"flip", "small.txd", name}).status, 0);
        EXPECT_NE(ReadBytes("small.txd"), original);
        EXPECT_EQ(RunTxdtool({"flip", "small.txd", name}).status, 0);
        EXPECT_EQ(ReadBytes("small.txd"), original);
    }
}

TEST_F(TxdtoolTest, AlphaChangesOnlyTheAlphaWord) {
    auto expected = WriteSmall();
    const std::uint32_t at = Record(ReadDictionary("small.txd"), "dxt3_32").headerOffset + 100;
    EXPECT_EQ(RunTxdtool({"alpha", "small.txd", "dxt3_32", "no"}).status, 0);
    expected[at] = 0;
    EXPECT_EQ(ReadBytes("small.txd"), expected);
    EXPECT_EQ(RunTxdtool({"alpha", "small.txd", "dxt3_32", "no"}).status, 0);
    EXPECT_EQ(RunTxdtool({"alpha", "small.txd", "dxt3_32", "yes"}).status, 0);
    expected[at] = 1;
    EXPECT_EQ(ReadBytes("small.txd"), expected);
}

TEST_F(TxdtoolTest, PreviewWritesThePictureAsPng) {
    WriteSample();
    const auto header = [](const std::string& png) {
        const auto bytes = ReadBytes(png);
        const auto word = [&](std::size_t at) {
            return bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3];
        };
        EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 16),
                  std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16));
        return std::to_string(word(16)) + "x" + std::to_string(word(20));
    };
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "wide_rgba_512x128", "wide.png"}).status, 0);
    EXPECT_EQ(header("wide.png"), "256x256");
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "dxt5_32", "dxt5.png"}).status, 0);
    EXPECT_EQ(header("dxt5.png"), "32x32");
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "rgb565_16", "no.png"}).status, 1);
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"dxt5.png", "sample.txd", "wide.png"}));
}
