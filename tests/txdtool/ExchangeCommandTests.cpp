// SPDX-License-Identifier: GPL-3.0-or-later
// The export and import commands.
#include <filesystem>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

TEST_F(TxdtoolTest, ExportMakesEveryProductOrTheNamedOnesInAFolder) {
    WriteSample();
    const ToolRun all = RunTxdtool({"export", "sample.txd"});
    EXPECT_EQ(all.status, 0) << all.err;
    EXPECT_EQ(all.out,
              "zebra_pal8_64.tga\napple_pal32_32.tga\nodd_pal8_6x5.tga\nmango_rgba_64x32.dds\n"
              "wide_rgba_512x128.dds\ndxt1_64_mips.dds\ndxt3_32.dds\ndxt5_32.dds\nrgb565_16.dds\n");
    EXPECT_EQ(all.err,
              "txdtool: sample.txd: texture \"rgb565_16\" (16-bit, compression 0) written as "
              "DDS of its own kind (as --format=dds does): the image library makes no file of "
              "it\n");
    EXPECT_EQ(ReadBytes("rgb565_16.dds")[88], 16);  // bits per pixel: the kind kept
    EXPECT_EQ(scratch.Files().size(), 10u);         // the products and the dictionary, nothing else
    // Block textures go out as their first level alone, and the header says so.
    const auto dxt1 = ReadBytes("dxt1_64_mips.dds");
    EXPECT_EQ(dxt1.size(), 128u + 2048u);
    EXPECT_EQ(std::string(&dxt1[84], &dxt1[88]), "DXT1");
    EXPECT_EQ(dxt1[28], 0);  // mip-map count

    std::filesystem::create_directory("out");
    const ToolRun named =
        RunTxdtool({"export", "sample.txd", "dxt5_32", "-C", "out", "apple_pal32_32"});
    EXPECT_EQ(named.status, 0) << named.err;
    EXPECT_EQ(named.out, "out/dxt5_32.dds\nout/apple_pal32_32.tga\n");
    EXPECT_EQ(std::filesystem::file_size("out/dxt5_32.dds"), 128u + 1024u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("out"), {}), 2);

    const ToolRun refused = RunTxdtool({"export", "sample.txd", "dxt3_32", "nosuch", "-Cout"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_FALSE(std::filesystem::exists("out/dxt3_32.dds"));  // checked before anything is made
}

TEST_F(TxdtoolTest, ImportOfAnEditedExportLandsInTheDictionary) {
    WriteSample();
    std::filesystem::create_directory("images");
    ASSERT_EQ(RunTxdtool({"export", "sample.txd", "mango_rgba_64x32", "-C", "images"}).status, 0);
    auto image = ReadBytes("images/mango_rgba_64x32.dds");
    for (std::size_t i = 128; i < image.size(); i += 7) {
        image[i] = static_cast<std::uint8_t>(~image[i]);
    }
    WriteBytes("images/edited.dds", image);

    const ToolRun run =
        RunTxdtool({"import", "sample.txd", "mango_rgba_64x32", "images/edited.dds"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(
        run.out,
        "mango_rgba_64x32: imported from images/edited.dds (32-bit, 64 \u00d7 32, 1 level)\n");
    // Exported again, the texture gives back the edited file byte for byte.
    ASSERT_EQ(RunTxdtool({"export", "sample.txd", "mango_rgba_64x32", "-C", "images"}).status, 0);
    EXPECT_EQ(ReadBytes("images/mango_rgba_64x32.dds"), image);
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"images", "sample.txd"}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("images"), {}), 2);
}

// An unedited texture exported and imported again leaves the dictionary as it was, whichever
// export wrote the file: its smaller levels may be its author's own, which no resize or
// recompression gives back. Off while a platform 5 texture stored linear, or of a guessed
// order, comes back changed from a DDS or Targa round trip (known fault, being mended).
TEST_F(TxdtoolTest, ExportThenImportOfAnUneditedTextureChangesNothing) {
    const std::vector<SampleTexture> textures{
        MakePatternTexture("dxt1", 64, 32, 16, 12, 7, 0x8200),
        MakePatternTexture("dxt3", 32, 32, 16, 14, 6, 0x8300),
        MakePatternTexture("dxt5", 16, 64, 16, 15, 7, 0x8300),
        MakePatternTexture("rgba", 32, 16, 32, 0, 6, 0x8500),
        MakePatternTexture("pal8", 32, 32, 8, 0, 6, 0xA500),
    };
    const auto original = WriteDictionary("d.txd", textures);
    const std::vector<std::vector<std::string>> exports{{"export"}, {"export", "--format=dds"}};
    for (const SampleTexture& texture : textures) {
        for (std::vector<std::string> command : exports) {
            const std::string file = texture.name + (texture.depth == 8 ? ".tga" : ".dds");
            if (texture.depth == 8 && command.size() > 1) {
                continue;  // its DDS holds colours, not the palette's indices
            }
            SCOPED_TRACE(texture.name + " " + command.back());
            command.insert(command.end(), {"d.txd", texture.name});
            ASSERT_EQ(RunTxdtool(command).status, 0);
            const ToolRun run = RunTxdtool({"import", "d.txd", texture.name, file});
            ASSERT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(ReadBytes("d.txd"), original);
        }
    }
}

}  // namespace tinplate
