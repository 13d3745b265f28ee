// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool's failures: what it says, what it leaves untouched.
#include <sys/stat.h>

#include <filesystem>
#include <sstream>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

// Every failure: exit status 1, one line on standard error, the dictionary byte for byte as it
// was, and no working file in the folder.
class TxdtoolFailureTest : public TxdtoolTest {
protected:
    void ExpectFailure(const ToolRun& run, const std::string& message) {
        EXPECT_EQ(run.status, 1) << run.out;
        EXPECT_NE(run.err.find(message), std::string::npos) << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(ReadBytes("sample.txd"), original);
        EXPECT_EQ(scratch.Files(), expectedFiles);
    }
    std::vector<std::uint8_t> original = WriteSample();
    std::vector<std::string> expectedFiles{"sample.txd"};
};

TEST_F(TxdtoolFailureTest, MissingFileUnknownNameAndAFolder) {
    for (const char* command : {"list", "export", "swizzle"}) {
        ExpectFailure(RunTxdtool({command, "gone.txd"}), "gone.txd: No such file or directory");
    }
    ExpectFailure(RunTxdtool({"flip", "sample.txd", "zebra"}),
                  "txdtool: sample.txd: no texture is named \"zebra\"; the textures are: "
                  "zebra_pal8_64, apple_pal32_32, odd_pal8_6x5,");
    ExpectFailure(RunTxdtool({"import", "sample.txd", "dxt5_32", "gone.dds"}), "gone.dds: No such");
    std::filesystem::create_directory("folder.txd");
    expectedFiles.insert(expectedFiles.begin(), "folder.txd");
    ExpectFailure(RunTxdtool({"alpha", "folder.txd", "dxt5_32", "no"}),
                  "txdtool: folder.txd: not a regular file");
}

TEST_F(TxdtoolFailureTest, ReadOnlyDictionary) {
    ::chmod("sample.txd", 0444);
    const ToolRun run = RunTxdtoolWithoutOverride({"alpha", "sample.txd", "dxt5_32", "no"});
    if (run.status == kCannotDropOverride) {
        GTEST_SKIP() << "running as root without the power to give up CAP_DAC_OVERRIDE";
    }
    ExpectFailure(run, "txdtool: sample.txd: Permission denied");
}

TEST_F(TxdtoolFailureTest, MissingImageLibrary) {
    ExpectFailure(RunTxdtoolWithoutGfx({"preview", "sample.txd", "dxt5_32", "p.png"}),
                  "the picture could not be made (is libmwgfx.so missing?)");
    ExpectFailure(RunTxdtoolWithoutGfx({"flip", "sample.txd", "zebra_pal8_64"}),
                  "txdtool: sample.txd: texture \"zebra_pal8_64\": the image library");
    ExpectFailure(RunTxdtoolWithoutGfx({"export", "sample.txd", "apple_pal32_32"}),
                  "apple_pal32_32.tga: the image library");
    // Without the library, only block-compressed textures still go out.
    EXPECT_EQ(RunTxdtoolWithoutGfx({"export", "sample.txd", "dxt5_32"}).status, 0);
}

TEST_F(TxdtoolFailureTest, RefusedImage) {
    WriteBytes("junk.tga", std::vector<std::uint8_t>(300, 0x5A));
    expectedFiles.insert(expectedFiles.begin(), "junk.tga");
    ExpectFailure(RunTxdtool({"import", "sample.txd", "apple_pal32_32", "junk.tga"}),
                  "txdtool: junk.tga: it is no picture of a kind this program reads");
}

TEST_F(TxdtoolTest, UsageErrorsHelpAndVersion) {
    for (const std::vector<std::string>& words : {std::vector<std::string>{},
                                                  {"frobnicate"},
                                                  {"flip", "a.txd"},
                                                  {"export", "a.txd", "-C"},
                                                  {"list", "--bogus", "a.txd"},
                                                  {"alpha", "a.txd", "t", "maybe"}}) {
        const ToolRun run = RunTxdtool(words);
        EXPECT_EQ(run.status, 2) << run.err;
        EXPECT_NE(run.err.find("\nusage: txdtool "), std::string::npos) << run.err;
    }
    const ToolRun help = RunTxdtool({"export", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.out.rfind("usage: txdtool export FILE.txd", 0), 0u);
    for (const char* option : {"-V", "--version"}) {
        const ToolRun run = RunTxdtool({option});
        EXPECT_EQ(run.out.rfind("txdtool (TXD Tinplate) " TINPLATE_VERSION "\nLicense GPLv3+", 0),
                  0u);
        EXPECT_TRUE(run.out.ends_with("There is NO WARRANTY, to the extent permitted by law.\n"));
    }
    // Every help fits in 80 columns, as GNU tools' do.
    const std::string overview = RunTxdtool({"--help"}).out;
    std::vector<std::vector<std::string>> helps{{"--help"}, {"-q", "flip", "-h"}};
    const std::size_t commandsEnd = overview.find("\n\n", overview.find("Commands:"));
    for (std::size_t at = overview.find("\n  "); at < commandsEnd;
         at = overview.find("\n  ", at + 1)) {
        if (overview[at + 3] != ' ') {
            helps.push_back({overview.substr(at + 3, overview.find(' ', at + 3) - at - 3), "-h"});
        }
    }
    EXPECT_GT(helps.size(), 20u);
    for (const std::vector<std::string>& words : helps) {
        std::istringstream out(RunTxdtool(words).out);
        for (std::string line; std::getline(out, line);) {
            EXPECT_LE(line.size(), 80u) << words[0] << ": " << line;
        }
    }
}

}  // namespace tinplate
