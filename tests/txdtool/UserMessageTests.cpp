// SPDX-License-Identifier: GPL-3.0-or-later
// What a user reads and finds afterwards, command by command: the exit status, the message,
// the files made or left alone. No message ever shows a control character or a path in the
// private working folder.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace {

struct Case {
    const char* line;  // a bash command line
    int status;
    const char* fragment;            // found in standard output or standard error
    std::vector<std::string> files;  // "!NAME": must not exist afterwards
    bool withoutOverride = false;    // run without root's power to ignore permissions
};

class UserMessageTest : public TxdtoolTest {
protected:
    void SetUp() override {
        auto textures = StandardSampleTextures();
        textures[0].name = "wheel";
        WriteDictionary("s.txd", textures);
        WriteDictionary("s1.txd", textures);
        WriteDictionary("s2.txd", textures);
        WriteDictionary("only16.txd", {textures[8]});
        std::filesystem::create_directory("perm2");
        WriteDictionary("perm2/w.txd", textures);
        ::chmod("perm2", 0555);
        WriteBytes("bad.txd", std::vector<std::uint8_t>(64, 0xAB));
        std::ofstream("afile") << "not a folder";
        ASSERT_EQ(RunShellLine("txdtool export s.txd wheel -o w.png").status, 0);
    }
    void TearDown() override { ::chmod("perm2", 0755); }
};

TEST_F(UserMessageTest, StatusMessageAndFiles) {
    const Case cases[] = {
        // -C makes its folder; a folder that takes no file is named as such.
        {"txdtool export s.txd --format dds -C dds/sub",
         0,
         "dds/sub/wheel.dds",
         {"dds/sub/wheel.dds"}},
        {"txdtool export s.txd -C afile", 1, "afile: the folder named by -C cannot be made", {}},
        {"txdtool export s.txd dxt5_32 -C perm2",
         1,
         "perm2/dxt5_32.dds: cannot make a file in perm2",
         {"!perm2/dxt5_32.dds"},
         true},
        // Options without their value are named as typed.
        {"txdtool export s.txd --format", 2, "option --format needs a value", {}},
        {"txdtool export s.txd --directory", 2, "option --directory needs a value", {}},
        {"txdtool export s.txd -C", 2, "option -C needs a value", {}},
        // -q leaves errors alone, and errors carry the program's name.
        {"txdtool -q export s.txd wheel && txdtool -q check s.txd | wc -c", 0, "0", {"wheel.tga"}},
        {"txdtool check bad.txd s.txd 2>&1 >/dev/null", 1, "txdtool: bad.txd: ", {}},
        // Every line of a batch names its dictionary.
        {"txdtool import -n wheel w.png s1.txd s2.txd",
         0,
         "s2.txd: wheel: imported from w.png",
         {}},
        // A save cut short by a file-size limit names the dictionary, not a working file.
        {"ulimit -f 4; txdtool flip s.txd wheel", 1, "txdtool: s.txd: ", {}},
        {"txdtool add perm2/w.txd w.png dxt1 new",
         1,
         "txdtool: cannot make a file in perm2 (needed to replace perm2/w.txd safely)",
         {},
         true},
        // A file that cannot be read is in the document too.
        {"txdtool list --json nosuch.txd s.txd", 1, "\"error\": \"No such file or directory\"", {}},
        // Asked for products and none made: a failure. 16-bit textures go out as DDS.
        {"txdtool new e.txd && txdtool export e.txd -C out", 1, "nothing was exported", {"!out"}},
        {"txdtool export only16.txd", 0, "written as DDS of its own kind", {"rgb565_16.dds"}},
        // Words in the wrong place are named; a platform first is taken.
        {"txdtool add s.txd dxt9 w.png", 2, "unknown kind dxt9;", {}},
        {"txdtool platform 9 nosuch.txd", 2, "the platform comes after the files", {}},
        {"cp only16.txd p.txd && txdtool platform 9 p.txd && txdtool platform --linear p.txd 5",
         0,
         "--linear concerns platform 5 textures only",
         {}},
        {"txdtool lint --ignore= s.txd", 2, "--ignore needs the names of rules", {}},
        {"txdtool diff --json s.txd nosuch.txd", 2, "\"error\": \"No such file or directory\"", {}},
        // Products: "-" is standard output, folders are made, a thumbnail is PNG only.
        {"txdtool export s.txd wheel -o - | head -c4 | tail -c3", 0, "PNG", {"!-"}},
        {"txdtool export s.txd wheel -o a/b/c.png", 0, "a/b/c.png", {"a/b/c.png"}},
        {"txdtool thumbnail s.txd out.jpg", 2, "name it .png, not out.jpg", {"!out.jpg"}},
        // A preview is written in the format its name says, or refused.
        {"txdtool preview s.txd wheel -o out.jpg", 2, "not out.jpg", {"!out.jpg"}},
        {"txdtool preview s.txd wheel -o out.bmp && head -c2 out.bmp", 0, "BM", {}},
        // What users reached for: any case of kind words, one texture to a named file, and
        // several pictures in one edit.
        {"txdtool add s.txd w.png DXT1 w_dxt1 && txdtool list s.txd", 0, "w_dxt1", {}},
        {"txdtool export s.txd wheel -o one.tga", 0, "one.tga", {"one.tga"}},
        {"cp w.png a1.png && cp w.png a2.png && txdtool add s2.txd Pal8 a1.png a2.png &&"
         " txdtool list s2.txd",
         0,
         "a2",
         {}},
        {"txdtool add s1.txd dxt1 w.png nosuch.png; txdtool list s1.txd | grep -c '\tw\t'",
         1,
         "0",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const ToolRun run = RunShellLine(c.line, c.withoutOverride);
        if (run.status == kCannotDropOverride) {
            continue;
        }
        EXPECT_EQ(run.status, c.status) << run.out << run.err;
        const std::string said = run.out + run.err;
        EXPECT_NE(said.find(c.fragment), std::string::npos) << said;
        EXPECT_EQ(said.find("txd-tinplate-"), std::string::npos) << said;
        EXPECT_EQ(said.find('\x01'), std::string::npos) << said;
        for (const std::string& file : c.files) {
            const bool absent = file.starts_with('!');
            EXPECT_EQ(std::filesystem::exists(file.substr(absent ? 1 : 0)), !absent) << file;
        }
    }
}

}  // namespace

}  // namespace tinplate
