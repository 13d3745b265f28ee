// SPDX-License-Identifier: GPL-3.0-or-later
// The restructuring commands and their refusals.
#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

// An 8 x 4 true-colour Targa, top row first, 32 distinct colours: sides every platform's
// uncompressed kinds can hold.
void WriteTarga(const std::string& path) {
    std::vector<std::uint8_t> file = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 4, 0, 32, 0x28};
    for (int i = 0; i < 32; ++i) {
        file.insert(file.end(), {static_cast<std::uint8_t>(i * 8), 80, 200, 255});
    }
    WriteBytes(path, file);
}

TEST_F(TxdtoolTest, RestructuringCommandsBuildADictionaryAndTakeItApartAgain) {
    WriteTarga("pic.tga");
    ASSERT_EQ(RunTxdtool({"new", "d.txd"}).status, 0);
    const auto empty = ReadBytes("d.txd");
    const std::vector<std::vector<std::string>> steps = {
        {"add", "d.txd", "pic.tga", "pal8-32"},  {"add", "d.txd", "pic.tga", "dxt5", "second"},
        {"rename", "d.txd", "pic", "first"},     {"move", "d.txd", "second", "up"},
        {"convert", "d.txd", "first", "rgba32"}, {"resize", "d.txd", "first", "4", "2"},
        {"mipmaps", "d.txd", "first", "make"},   {"replace", "d.txd", "second", "pic.tga"},
        {"save-as", "d.txd", "copy.txd"},
    };
    for (const auto& step : steps) {
        const ToolRun run = RunTxdtool(step);
        EXPECT_EQ(run.status, 0) << step[0] << ": " << run.err;
    }
    const auto textures = ReadDictionary("d.txd");
    ASSERT_EQ(textures.size(), 2u);
    const TextureRecord& second = textures[0].record;
    const TextureRecord& first = textures[1].record;
    EXPECT_EQ(textures[0].name + textures[1].name, "secondfirst");
    EXPECT_EQ(
        std::tuple(second.compression, first.width, first.height, first.depth, first.mipCount),
        std::tuple(15, 4u, 2u, std::int16_t{32}, std::int16_t{3}));
    EXPECT_EQ(ReadBytes("copy.txd"), ReadBytes("d.txd"));
    EXPECT_EQ(RunTxdtool({"remove", "d.txd", "first"}).status, 0);
    EXPECT_EQ(RunTxdtool({"remove", "d.txd", "second"}).status, 0);
    EXPECT_EQ(ReadBytes("d.txd"), empty);
}

TEST_F(TxdtoolTest, RefusedRestructuringLeavesTheDictionaryAsItWas) {
    const auto original = WriteSmall();
    WriteTarga("pic.tga");
    struct Case {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {{"new", "small.txd"}, 1, "already exists"},
        {{"add", "small.txd", "pic.tga", "dxt9"}, 2, "unknown kind dxt9"},
        {{"add", "small.txd", "pic.tga", "dxt1", "DXT3_32"}, 1, "is taken"},
        {{"add", "small.txd", "missing.png", "dxt1"}, 1, "missing.png"},
    };
    for (const Case& c : cases) {
        const ToolRun run = RunTxdtool(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments[0];
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
        EXPECT_EQ(ReadBytes("small.txd"), original);
    }
}

}  // namespace

}  // namespace tinplate
