// SPDX-License-Identifier: GPL-3.0-or-later
// The in-place editing commands, on every fixture.
#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

TEST_F(TxdtoolTest, UnswizzleGivesTheThirdPartyRowOrder) {
    CopyFixtureHere("mixed.txd");
    EXPECT_EQ(RunTxdtool({"unswizzle", "mixed.txd"}).status, 0);
    EXPECT_EQ(Sha256Hex(Record("mixed.txd", "swz_rgba_32x64").pixels),
              "9cda88f843411e50d7d9aafdf31fe73a25f33796ba7a26810f1e7ad822f34a33");
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"mixed.txd"});
}

TEST_F(TxdtoolTest, AlphaChangesOnlyTheAlphaWord) {
    auto expected = WriteSmall();
    const std::uint32_t at = Record("small.txd", "dxt3_32").headerOffset + 100;
    for (const char* value : {"no", "no", "yes"}) {
        EXPECT_EQ(RunTxdtool({"alpha", "small.txd", "dxt3_32", value}).status, 0);
        expected[at] = value[0] == 'y';
        EXPECT_EQ(ReadBytes("small.txd"), expected);
    }
}

TEST_F(TxdtoolTest, PreviewWritesThePictureAsPng) {
    WriteSample();
    const auto header = [](const std::string& png) {
        const auto bytes = ReadBytes(png);
        return std::string(bytes.begin(), bytes.begin() + 24);
    };
    const std::string ihdr("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16);
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "wide_rgba_512x128", "wide.png"}).status, 0);
    EXPECT_EQ(header("wide.png"), ihdr + std::string("\0\0\1\0\0\0\1\0", 8));  // 256 x 256
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "dxt5_32", "dxt5.png"}).status, 0);
    EXPECT_EQ(header("dxt5.png"), ihdr + std::string("\0\0\0\x20\0\0\0\x20", 8));
    EXPECT_EQ(RunTxdtool({"preview", "sample.txd", "rgb565_16", "no.png"}).status, 1);
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"dxt5.png", "sample.txd", "wide.png"}));
}

}  // namespace tinplate
