// SPDX-License-Identifier: GPL-3.0-or-later
// Nothing of the user's is touched by the working files, by other txdtool runs in the same
// folder, or by a file-size limit.
#include <sys/resource.h>

#include <filesystem>
#include <map>
#include <thread>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

using Files = std::map<std::string, std::vector<std::uint8_t>>;

// Runs txdtool under a file-size limit of `bytes`, which it inherits.
ToolRun RunWithFileSizeLimit(const std::vector<std::string>& words, rlim_t bytes) {
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited{bytes, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    ToolRun run = RunTxdtool(words);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    return run;
}

Files Snapshot(const std::vector<std::string>& names) {
    Files files;
    for (const std::string& name : names) {
        files[name] = ReadBytes(name);
    }
    return files;
}

TEST_F(TxdtoolTest, UserFilesNamedLikeWorkingFilesSurviveEveryCommand) {
    WriteSample();
    std::vector<std::string> names;
    for (const char* name :
         {"Temp.bmp", "Temp.dds", "MipMapIn.bmp", "MipMapOut.bmp", "ImportFile.bmp",
          "ImportFile.tga", "zebra_pal8_64.bmp", "mango_rgba_64x32.bmp", "mango_rgba_64x32.tga"}) {
        WriteBytes(name, std::vector<std::uint8_t>(100 + names.size(),
                                                   static_cast<std::uint8_t>(names.size())));
        names.push_back(name);
    }
    const Files before = Snapshot(names);
    std::filesystem::create_directory("out");
    for (const std::vector<std::string>& words : std::vector<std::vector<std::string>>{
             {"preview", "sample.txd", "zebra_pal8_64", "out/a.png"},
             {"preview", "sample.txd", "dxt1_64_mips", "out/b.png"},
             {"preview", "sample.txd", "wide_rgba_512x128", "out/c.png"},
             {"export", "sample.txd", "-C", "out"},
             {"import", "sample.txd", "zebra_pal8_64", "out/zebra_pal8_64.tga"},
             {"import", "sample.txd", "mango_rgba_64x32", "out/mango_rgba_64x32.dds"},
             {"swizzle", "sample.txd"},
             {"flip", "sample.txd", "zebra_pal8_64"},
             {"alpha", "sample.txd", "zebra_pal8_64", "yes"}}) {
        EXPECT_EQ(RunTxdtool(words).status, 0) << words[0];
        EXPECT_EQ(Snapshot(names), before) << words[0];
    }
}

TEST_F(TxdtoolTest, TwoRunsInOneFolderDoNotDisturbEachOther) {
    const auto a = WriteDictionary("a.txd", StandardSampleTextures());
    ASSERT_EQ(RunTxdtool({"flip", "a.txd", "zebra_pal8_64"}).status, 0);
    const auto b = ReadBytes("a.txd");
    std::map<std::string, std::vector<std::uint8_t>> expected;
    for (const auto& [name, bytes] : {std::pair{"a.txd", a}, {"b.txd", b}}) {
        WriteBytes(name, bytes);
        ASSERT_EQ(RunTxdtool({"alpha", name, "zebra_pal8_64", "yes"}).status, 0);
        expected[name] = ReadBytes(name);
    }
    for (int round = 0; round < 4; ++round) {
        WriteBytes("a.txd", a);
        WriteBytes("b.txd", b);
        std::vector<std::thread> runs;
        for (const std::string name : {"a.txd", "b.txd"}) {
            for (const std::vector<std::string>& words :
                 {std::vector<std::string>{"alpha", name, "zebra_pal8_64", "yes"},
                  {"preview", name, "dxt1_64_mips", name + ".png"}}) {
                runs.emplace_back([words] { EXPECT_EQ(RunTxdtool(words).status, 0) << words[0]; });
            }
        }
        for (std::thread& run : runs) {
            run.join();
        }
        EXPECT_EQ(ReadBytes("a.txd"), expected["a.txd"]);
        EXPECT_EQ(ReadBytes("b.txd"), expected["b.txd"]);
    }
}

// A file-size limit stops the write like a full disk: reported, and nothing changed.
TEST_F(TxdtoolTest, AFileSizeLimitLeavesTheDictionaryAndTheProductsAsTheyWere) {
    const auto original = WriteSample();
    const ToolRun save = RunWithFileSizeLimit({"swizzle", "sample.txd"}, original.size() - 100);
    EXPECT_EQ(save.status, 1);
    EXPECT_NE(save.err.find("sample.txd: File too large"), std::string::npos) << save.err;
    ASSERT_EQ(RunTxdtool({"export", "sample.txd", "wide_rgba_512x128"}).status, 0);
    const Files products = Snapshot({"sample.txd", "wide_rgba_512x128.dds"});
    ASSERT_EQ(RunTxdtool({"flip", "sample.txd", "wide_rgba_512x128"}).status, 0);
    const ToolRun exporter =
        RunWithFileSizeLimit({"export", "sample.txd", "wide_rgba_512x128"}, 1000);
    EXPECT_EQ(exporter.status, 1);
    EXPECT_NE(exporter.err.find("File too large"), std::string::npos) << exporter.err;
    EXPECT_EQ(ReadBytes("wide_rgba_512x128.dds"), products.at("wide_rgba_512x128.dds"));
    EXPECT_EQ(scratch.Files(), (std::vector<std::string>{"sample.txd", "wide_rgba_512x128.dds"}));
}

}  // namespace

}  // namespace tinplate
