// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool's conventions: help, usage errors, exit statuses, standard streams.
#include <fcntl.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

// The tool run with `file` as its standard input.
ToolRun RunWithInput(const std::string& file, const std::vector<std::string>& arguments) {
    const int saved = ::dup(STDIN_FILENO);
    const int input = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    ::dup2(input, STDIN_FILENO);
    ToolRun run = RunTxdtool(arguments);
    ::dup2(saved, STDIN_FILENO);
    ::close(input);
    ::close(saved);
    return run;
}

}  // namespace

TEST_F(TxdtoolTest, JsonIsTypedAndKeepsEveryNameByte) {
    WriteSample();
    const std::string hostile = "q\"\x01\xff\xc3";
    WriteDictionary("odd.txd", {MakePatternTexture(hostile, 4, 4, 8, 0, 1, 0x2500),
                                MakePatternTexture("caf\xc3\xa9", 8, 4, 32, 0, 1, 0x0500)});
    const ToolRun run = RunTxdtool({"list", "--json=yes", "sample.txd", "odd.txd", "gone.txd"});
    EXPECT_EQ(run.status, 1);
    const auto document = nlohmann::json::parse(run.out);
    EXPECT_EQ(document["format"], 1);
    ASSERT_EQ(document["files"].size(), 3u);
    EXPECT_EQ(document["files"][2]["error"], "No such file or directory");
    const auto& sample = document["files"][0]["textures"];
    const char* kinds[] = {"pal8", "pal8-32", "pal8", "rgba32", "rgba32",
                           "dxt1", "dxt3",    "dxt5", "rgb16"};
    for (std::size_t i = 0; i < std::size(kinds); ++i) {
        const TextureRecord record = Record("sample.txd", sample[i]["name"]);
        EXPECT_EQ(sample[i]["kind"], kinds[i]);
        for (const auto& [key, value] : {std::pair{"width", record.width},
                                         {"pixel_offset", record.pixelOffset},
                                         {"pixel_size", record.pixelSize},
                                         {"palette_size", record.paletteSize},
                                         {"header_offset", record.headerOffset}}) {
            EXPECT_TRUE(sample[i][key].is_number_unsigned()) << key;
            EXPECT_EQ(sample[i][key], value) << key;
        }
    }
    EXPECT_EQ(sample[7]["bpp"], 16);
    EXPECT_EQ(sample[7]["fields"]["Comp."], "DXT5");
    const auto& odd = document["files"][1]["textures"];
    EXPECT_TRUE(odd[0]["name"].is_null());
    EXPECT_EQ(odd[0]["name_hex"], "712201ffc3");
    EXPECT_EQ(odd[1]["name"], "caf\xc3\xa9");
    EXPECT_EQ(odd[1]["name_hex"], "636166c3a9");
    // Nor can a name split a line or a field of the text form.
    EXPECT_NE(RunTxdtool({"list", "odd.txd"}).out.find("\n0\tq\"\\x01\xff\xc3\t4\t4\t"),
              std::string::npos);

    WriteBytes("text.txd", std::vector<std::uint8_t>(40, 'a'));
    const ToolRun check = RunTxdtool({"check", "--json", "sample.txd", "text.txd"});
    EXPECT_EQ(check.status, 1);
    EXPECT_EQ(nlohmann::json::parse(check.out)["files"],
              nlohmann::json::parse(R"([{"file": "sample.txd", "ok": true, "textures": 9},
                  {"file": "text.txd", "ok": false, "error": "not a texture dictionary"}])"));
}

TEST_F(TxdtoolTest, EachDictionaryOfABatchIsAllOrNothing) {
    WriteSmall();
    // A batch starts each dictionary where it started: the edits move into their folders.
    std::filesystem::create_directory("sub");
    std::filesystem::copy_file("small.txd", "sub/b.txd");
    WriteDictionary("c.txd", {MakePatternTexture("other", 8, 8, 32, 0, 1, 0x0500)});
    const auto c = ReadBytes("c.txd");
    struct Case {
        std::vector<std::string> words;
        std::string out;
    };
    for (const Case& batch : {
             Case{{"flip", "-n", "dxt3_32", "sub/b.txd", "c.txd", "small.txd"}, ""},
             Case{{"alpha", "-qn", "dxt3_32", "no", "sub/b.txd", "c.txd", "small.txd"}, ""},
             Case{{"swizzle", "sub/b.txd", "gone.txd", "small.txd"},
                  "sub/b.txd: apple_pal32_32\nsub/b.txd: mango_rgba_64x32\n"
                  "small.txd: apple_pal32_32\nsmall.txd: mango_rgba_64x32\n"},
         }) {
        const auto before = ReadBytes("sub/b.txd");
        const ToolRun run = RunTxdtool(batch.words);
        EXPECT_EQ(run.status, 1) << run.err;
        EXPECT_EQ(run.out, batch.out);
        EXPECT_EQ(ReadBytes("small.txd"), ReadBytes("sub/b.txd"));
        EXPECT_NE(ReadBytes("sub/b.txd"), before) << batch.words[0];
        EXPECT_EQ(ReadBytes("c.txd"), c);
        const bool quiet = batch.words[1] == "-qn";
        EXPECT_EQ(run.err.find(" dictionaries done, 1 failed\n") != std::string::npos, !quiet);
    }
}

TEST_F(TxdtoolTest, DashReadsStandardInputAndWritesStandardOutput) {
    WriteSample();
    EXPECT_EQ(RunWithInput("sample.txd", {"list", "-"}).out,
              RunTxdtool({"list", "sample.txd"}).out);
    EXPECT_EQ(RunWithInput("sample.txd", {"check", "-"}).out, "-: ok\n");
    ASSERT_EQ(RunTxdtool({"preview", "sample.txd", "dxt5_32", "--output=p.png"}).status, 0);
    const ToolRun piped = RunTxdtool({"preview", "sample.txd", "dxt5_32", "-o", "-"});
    EXPECT_EQ(piped.status, 0) << piped.err;
    const auto png = ReadBytes("p.png");
    EXPECT_EQ(piped.out, std::string(png.begin(), png.end()));
    const ToolRun saved = RunWithInput("sample.txd", {"flip", "-n", "dxt5_32", "-"});
    EXPECT_EQ(saved.status, 1);
    EXPECT_NE(saved.err.find("standard input cannot be saved"), std::string::npos);
}

}  // namespace tinplate
