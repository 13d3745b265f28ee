// SPDX-License-Identifier: GPL-3.0-or-later
// export --format, import of pictures that need converting, and preview.
#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

TEST_F(TxdtoolTest, PicturesOfEveryKindGoOutAndComeBack) {
    WriteSample();
    const ToolRun out = RunTxdtool({"export", "sample.txd", "--format", "png"});
    EXPECT_EQ(out.status, 0) << out.err;
    EXPECT_NE(out.out.find("rgb565_16.png\n"), std::string::npos);  // every kind has a picture
    EXPECT_EQ(out.err, "");
    EXPECT_EQ(RunTxdtool({"export", "sample.txd", "--format=gif"}).status, 2);

    // 8-bit textures come back byte for byte, palettes of 256 and of 32 entries.
    const TextureRecord zebra = Record("sample.txd", "zebra_pal8_64");
    const TextureRecord apple = Record("sample.txd", "apple_pal32_32");
    ASSERT_EQ(RunTxdtool({"flip", "--all", "sample.txd"}).status, 0);  // what the import undoes
    for (const char* name : {"zebra_pal8_64", "apple_pal32_32", "dxt1_64_mips", "rgb565_16"}) {
        const ToolRun in = RunTxdtool(
            {"import", "sample.txd", name, std::string(name) + ".png", "--fast", "--no-dither"});
        EXPECT_EQ(in.status, 0) << in.err;
        EXPECT_EQ(in.out.rfind(std::string(name) + ": imported from " + name + ".png (", 0), 0u)
            << in.out;
    }
    for (const TextureRecord& before : {zebra, apple}) {
        const TextureRecord after =
            Record("sample.txd", before.width == 64 ? "zebra_pal8_64" : "apple_pal32_32");
        EXPECT_EQ(after.pixels, before.pixels);
        EXPECT_EQ(after.palette, before.palette);
    }
    const ToolRun wrong = RunTxdtool({"import", "sample.txd", "dxt3_32", "dxt1_64_mips.png"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.err.find("the picture is 64 x 64, the texture 32 x 32"), std::string::npos);
}

}  // namespace tinplate
