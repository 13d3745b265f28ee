// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool on archives: img and its actions, and dictionaries named as ARCHIVE:ENTRY.
#include <filesystem>

#include "archive/Archive.h"
#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {
namespace {

namespace fs = std::filesystem;

class ArchiveCommandTest : public TxdtoolTest {
protected:
    void CopyArchives() {
        for (const char* name : {"game_v1.img", "game_v1.dir", "game_v2.img", "holes_v2.img"}) {
            fs::copy_file(FixturePath(std::string("img/") + name), name);
            fs::permissions(name, fs::perms::owner_read | fs::perms::owner_write);
        }
    }
    static std::map<std::string, std::string> Entries(const std::string& path) {
        const Archive archive = Archive::Open(path);
        std::map<std::string, std::string> sums;
        for (std::size_t i = 0; i < archive.entries().size(); ++i) {
            sums[archive.entries()[i].name] = Sha256Hex(archive.ReadContent(i));
        }
        return sums;
    }
};

// An edit through ARCHIVE:ENTRY changes that entry alone, and reads back in both versions.
TEST_F(ArchiveCommandTest, EditsThroughAnEntryKeepTheOthers) {
    CopyArchives();
    for (const char* archive : {"game_v1.img", "game_v2.img", "holes_v2.img", "game_v1.dir"}) {
        SCOPED_TRACE(archive);
        const auto before = Entries(archive);
        const std::string entry = std::string(archive) + ":lamppost.txd";
        const ToolRun flip = RunTxdtool({"flip", "--all", entry});
        ASSERT_EQ(flip.status, 0) << flip.err;
        auto after = Entries(archive);
        EXPECT_NE(after["LAMPPOST.TXD"], before.at("LAMPPOST.TXD"));
        after["LAMPPOST.TXD"] = before.at("LAMPPOST.TXD");
        EXPECT_EQ(after, before);
        EXPECT_EQ(RunTxdtool({"check", entry}).status, 0);
        EXPECT_EQ(RunTxdtool({"img", "check", archive}).status, 0);
    }
}

TEST_F(ArchiveCommandTest, ImgActions) {
    CopyArchives();
    WriteBytes("big.txd", ReadBytes(FixturePath("pal8_mips.txd")));
    fs::create_directory("out");
    struct Row {
        std::vector<std::string> words;
        int status;
        std::string out;  // a line the output holds
    };
    const std::vector<Row> table = {
        {{"img", "list", "game_v2.img"}, 0, "3\tLAMPPOST.TXD\t40\t10\tdictionary"},
        {{"img", "list", "game_v1.dir"}, 0, "9\tnotes.ipl\t188\t1\tother"},
        {{"img", "add", "game_v1.img", "big.txd"}, 0, "added big.txd"},
        {{"img", "add", "game_v2.img", "big.txd"}, 0, "added big.txd"},
        {{"img", "extract", "game_v1.img", "BIG.TXD", "-C", "out"}, 0, "out/big.txd"},
        {{"list", "game_v2.img:big.txd"}, 0, "zebra_256_mips"},
        {{"img", "rename", "game_v2.img", "big.txd", "small.txd"}, 0, ""},
        {{"img", "remove", "game_v2.img", "small.txd", "notes.ipl"}, 0, ""},
        {{"img", "pack", "game_v2.img"}, 0, ""},
        {{"img", "list", "game_v2.img"}, 0, "7\ttwentythree_chars_x.txd\t"},
        {{"img", "new", "--version=1", "fresh.img"}, 0, ""},
        {{"img", "add", "fresh.img", "out/big.txd"}, 0, "added big.txd"},
        {{"img", "list", "fresh.dir"}, 0, "0\tbig.txd\t0\t57\tdictionary"},
        {{"img", "new", "fresh.img"}, 1, ""},
        {{"img", "remove", "game_v2.img", "absent.txd"}, 1, ""},
        {{"lint", "holes_v2.img"}, 0, ""},
        {{"check", "game_v1.img"}, 0, "game_v1.img:town_dxt.txd: ok"},
        {{"diff", "game_v1.img:empty.txd", "game_v2.img:empty.txd"}, 0, ""},
        {{"img", "frobnicate", "game_v2.img"}, 2, ""},
    };
    for (const Row& row : table) {
        const ToolRun run = RunTxdtool(row.words);
        SCOPED_TRACE(row.words[0] + " " + row.words[1] + " " + row.words.back());
        EXPECT_EQ(run.status, row.status) << run.err;
        EXPECT_NE(run.out.find(row.out), std::string::npos) << run.out;
    }
    EXPECT_EQ(ReadBytes("out/big.txd"), ReadBytes("big.txd"));
    EXPECT_EQ(RunTxdtool({"img", "add", "-q", "fresh.img", "big.txd"}).out, "");
    EXPECT_EQ(RunTxdtool({"img", "extract", "-q", "fresh.img", "-C", "out"}).out, "");
}

TEST_F(ArchiveCommandTest, FaultyArchiveIsNamedAndNotWritten) {
    CopyArchives();
    std::vector<std::uint8_t> bytes = ReadBytes("game_v2.img");
    bytes[8 + 32 * 2] = 40;  // infernus.col now starts where LAMPPOST.TXD does
    WriteBytes("game_v2.img", bytes);
    const ToolRun check = RunTxdtool({"img", "check", "game_v2.img"});
    EXPECT_EQ(check.status, 1);
    EXPECT_NE(check.err.find("game_v2.img: entry 2 (infernus.col): its sectors overlap"),
              std::string::npos)
        << check.err;
    EXPECT_EQ(RunTxdtool({"flip", "--all", "game_v2.img:infernus.txd"}).status, 1);
    EXPECT_EQ(RunTxdtool({"img", "extract", "game_v2.img", "infernus.txd"}).status, 0);
    EXPECT_EQ(ReadBytes("game_v2.img"), bytes);
}

}  // namespace
}  // namespace tinplate
