// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool on PC dictionaries: platform conversion of several files, edits that change only
// their own bytes, pictures that go out and come back top row first, and refusals.
#include <nlohmann/json.hpp>

#include "pixelops/Flip.h"
#include "pixelops/PlatformConversion.h"
#include "tests/txdtool/TxdtoolTest.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

std::vector<std::uint8_t> CopyPc(const std::string& name) {
    auto bytes = ReadBytes(FixturePath("pc/" + name));
    WriteBytes(name, bytes);
    return bytes;
}

// Offsets at which two files of the same size differ.
std::vector<std::size_t> Differences(const std::vector<std::uint8_t>& a,
                                     const std::vector<std::uint8_t>& b) {
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            offsets.push_back(i);
        }
    }
    return offsets;
}

// A Targa of `width` x `height`, top row first, B, G, R, A texels.
void WriteTarga(std::uint8_t width, std::uint8_t height, const std::vector<std::uint8_t>& bgra) {
    std::vector<std::uint8_t> targa = {0, 0, 2, 0,     0, 0,      0, 0,  0,
                                       0, 0, 0, width, 0, height, 0, 32, 0x28};
    targa.insert(targa.end(), bgra.begin(), bgra.end());
    WriteBytes("pic.tga", targa);
}

TEST_F(TxdtoolTest, PlatformConvertsEveryDictionaryNamedOrLeavesItAsItWas) {
    CopyPc("p9_pal.txd");
    CopyPc("p9_dxt.txd");
    const ToolRun run = RunTxdtool({"platform", "p9_pal.txd", "p9_dxt.txd", "5"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes("p9_pal.txd"), ReadBytes(FixturePath("pc/p5_pal.txd")));
    EXPECT_EQ(ReadBytes("p9_dxt.txd"), ReadBytes(FixturePath("pc/p5_dxt.txd")));
    EXPECT_NE(run.out.find("p9_pal.txd: pal8_4x4\n"), std::string::npos) << run.out;

    // 6 x 4 cannot be swizzled: made on 5 only by force, it lies linear and converts as it lies,
    // but does not go back; an unknown id is a usage error.
    WriteTarga(6, 4, std::vector<std::uint8_t>(6 * 4 * 4, 0x80));
    ASSERT_EQ(RunTxdtool({"new", "odd.txd"}).status, 0);
    ASSERT_EQ(RunTxdtool({"add", "--force", "odd.txd", "pic.tga", "rgba32"}).status, 0);
    EXPECT_EQ(RunTxdtool({"platform", "odd.txd", "7"}).status, 2);
    ASSERT_EQ(RunTxdtool({"platform", "odd.txd", "9"}).status, 0);
    const auto onNine = ReadBytes("odd.txd");
    const ToolRun refused = RunTxdtool({"platform", "odd.txd", "5"});
    EXPECT_NE(refused.err.find("texture \"pic\" has a 6 x 4 level, which cannot be swizzled: "
                               "its sides are not powers of two"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadBytes("odd.txd"), onNine);
}

// Each block carries its own platform id: textures already on the target keep their blocks,
// the others are converted, and either way the file comes out as the fixture of that platform.
TEST_F(TxdtoolTest, PlatformConvertsADictionaryOfMixedPlatforms) {
    const auto five = ReadBytes(FixturePath("pc/p5_pal.txd"));
    std::vector<TextureEntry> mixed = ParseDictionary(five, "p5_pal.txd");
    ASSERT_GT(mixed.size(), 1u);
    mixed[0].record = ConvertedToPlatform(mixed[0], platform::kD3d9);
    WriteBytes("mixed.txd", DictionaryBytes(five, mixed, "mixed.txd"));
    for (const auto& [target, fixture] :
         {std::pair{"9", "pc/p9_pal.txd"}, {"5", "pc/p5_pal.txd"}}) {
        SCOPED_TRACE(target);
        WriteBytes("converted.txd", ReadBytes("mixed.txd"));
        const ToolRun run = RunTxdtool({"platform", "converted.txd", target});
        ASSERT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(ReadBytes("converted.txd"), ReadBytes(FixturePath(fixture)));
    }
}

TEST_F(TxdtoolTest, EditsOfPcTexturesChangeTheirBytesOnly) {
    // Set Alpha changes platform 9's flags byte and nothing else.
    const auto rgb = CopyPc("p9_rgb.txd");
    ASSERT_EQ(RunTxdtool({"alpha", "p9_rgb.txd", "c565_32x16", "yes"}).status, 0);
    EXPECT_EQ(Differences(rgb, ReadBytes("p9_rgb.txd")), std::vector<std::size_t>{28784 + 111});

    // Flip changes the texture's level and nothing else.
    const auto dxt = CopyPc("p8_dxt.txd");
    TextureRecord expected = Record("p8_dxt.txd", "dxt1_8x8");
    ASSERT_TRUE(FlipTexture(expected));
    ASSERT_EQ(RunTxdtool({"flip", "p8_dxt.txd", "dxt1_8x8"}).status, 0);
    EXPECT_EQ(Record("p8_dxt.txd", "dxt1_8x8").pixels, expected.pixels);
    for (const std::size_t at : Differences(dxt, ReadBytes("p8_dxt.txd"))) {
        ASSERT_TRUE(at >= 69948 + 116 && at < 69948 + 148) << at;
    }

    const auto pal = CopyPc("p8_pal.txd");
    const ToolRun swizzle = RunTxdtool({"swizzle", "p8_pal.txd"});
    EXPECT_EQ(swizzle.status, 1);
    EXPECT_NE(swizzle.err.find("p8_pal.txd: PC textures are always stored in linear order"),
              std::string::npos);
    EXPECT_EQ(ReadBytes("p8_pal.txd"), pal);
}

TEST_F(TxdtoolTest, PcPicturesGoOutAndComeBackTopRowFirst) {
    for (const auto& [file, name] :
         {std::pair("p9_pal.txd", "pal8_32x16"), std::pair("p8_rgb.txd", "c8888_32x8"),
          std::pair("p9_dxt.txd", "dxt3_4x4")}) {
        SCOPED_TRACE(name);
        const auto bytes = CopyPc(file);
        const ToolRun exported = RunTxdtool({"export", file, name});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const std::string picture = exported.out.substr(0, exported.out.find('\n'));
        ASSERT_EQ(RunTxdtool({"import", file, name, picture}).status, 0);
        EXPECT_EQ(ReadBytes(file), bytes);
    }
    // A texture added to a PC dictionary takes its layout; its first stored texel is the
    // picture's top left (red), and its picture comes out as it went in.
    WriteTarga(3, 2, {0,  0,  255, 255, 0,   255, 0,   255, 255, 0,   0,   255,  //
                      64, 64, 64,  255, 128, 128, 128, 255, 192, 192, 192, 255});
    ASSERT_EQ(RunTxdtool({"add", "p8_rgb.txd", "pic.tga", "rgba32"}).status, 0);
    const TextureRecord added = Record("p8_rgb.txd", "pic");
    EXPECT_EQ(added.platform, 8u);
    EXPECT_EQ(std::vector<std::uint8_t>(added.pixels.begin(), added.pixels.begin() + 4),
              (std::vector<std::uint8_t>{0, 0, 255, 255}));
    ASSERT_EQ(RunTxdtool({"export", "p8_rgb.txd", "pic", "--format=png"}).status, 0);
    EXPECT_EQ(MagickRgba("pic.png"), MagickRgba("pic.tga"));

    const ToolRun listed = RunTxdtool({"list", "--json", "p9_dxt.txd"});
    const auto texture = nlohmann::json::parse(listed.out)["files"][0]["textures"][2];
    EXPECT_EQ(texture["platform"], 9);
    EXPECT_EQ(texture["fields"]["Comp."], "DXT1");
}

}  // namespace

}  // namespace tinplate
