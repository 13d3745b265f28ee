// SPDX-License-Identifier: GPL-3.0-or-later
// list and check on every fixture, as text and JSON.
#include <filesystem>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

TEST_F(TxdtoolTest, ListPrintsTheWindowsFieldTexts) {
    WriteSample();
    CopyFixtureHere("pal4.txd");
    const ToolRun one = RunTxdtool({"list", "sample.txd"});
    EXPECT_EQ(one.status, 0);
    EXPECT_EQ(one.out.substr(0, one.out.find('\n')),
              "Index\tName\tWidth\tHeight\tBpp\tComp.\tMipMaps\tAlpha\tAlpha Flags\tFilter "
              "Flags\tLevels");
    EXPECT_NE(one.out.find("\n2\todd_pal8_6x5\t6\t5\t8\tSwiz\t0\tNo\t9472\t4353\t1\n"),
              std::string::npos);
    EXPECT_NE(one.out.find("\n7\tdxt5_32\t32\t32\t16\tDXT5\t0\tYes\t768\t4353\t1\n"),
              std::string::npos);

    const ToolRun two = RunTxdtool({"list", "sample.txd", "pal4.txd"});
    EXPECT_EQ(two.out.rfind("sample.txd:\nIndex\t", 0), 0u);
    EXPECT_NE(two.out.find("\npal4.txd:\nIndex\t"), std::string::npos);
    EXPECT_NE(two.out.find("\n1\tpal32_16x8_rgb\t16\t8\t8\tSwiz\t0\tNo\t17920\t13058\t1\n"),
              std::string::npos);
}

TEST_F(TxdtoolTest, CheckTellsWhatIsWrongWithEachFile) {
    auto bytes = WriteSample();
    bytes.resize(bytes.size() - 100);
    WriteBytes("cut.txd", bytes);
    WriteBytes("huge.txd", {});
    std::filesystem::resize_file("huge.txd", 5ull << 30);  // sparse: costs no disk
    std::vector<std::string> arguments = {"check", "sample.txd", "cut.txd", "gone.txd", "huge.txd"};
    for (const char* fixture : {"dxt.txd", "empty.txd", "mixed.txd", "pal4.txd", "pal4_mips.txd",
                                "pal8_mips.txd", "rgba32.txd"}) {
        arguments.push_back(FixturePath(fixture));
    }
    const ToolRun run = RunTxdtool(arguments);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out.rfind("sample.txd: ok\n", 0), 0u) << run.out;
    EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 8);
    // What is wrong goes to standard error, as every error does.
    EXPECT_EQ(run.err.rfind("txdtool: cut.txd: the file is truncated", 0), 0u) << run.err;
    EXPECT_NE(run.err.find("\ntxdtool: gone.txd: No such file or directory\n"
                           "txdtool: huge.txd: the file is larger than 4 GiB\n"),
              std::string::npos);
    EXPECT_EQ(RunTxdtool({"check", "sample.txd", FixturePath("mixed.txd")}).status, 0);
}

}  // namespace tinplate
