// SPDX-License-Identifier: GPL-3.0-or-later
// find, index and duplicates over a tree with archives, unreadable and hostile files and a loop.
#include <sys/stat.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>

#include "archive/Archive.h"
#include "tests/txdtool/TxdtoolTest.h"

namespace tinplate {

namespace fs = std::filesystem;

class ScanCommandTest : public TxdtoolTest {
protected:
    void SetUp() override {
        fs::create_directories("tree/sub/deeper");
        fs::create_directories("tree/bad");
        for (const auto& [fixture, place] : std::vector<std::pair<std::string, std::string>>{
                 {"pc/p8_dxt.txd", "tree/p8_dxt.txd"},
                 {"pc/p9_dxt.txd", "tree/sub/p9_dxt.txd"},
                 {"pc/p5_dxt.txd", "tree/sub/deeper/p5_dxt.txd"},
                 {"pc/p8_rgb.txd", "tree/p8_rgb.txd"},
                 {"pc/p9_rgb.txd", "tree/sub/p9_rgb.TXD"},
                 {"pc/p5_pal.txd", "tree/p5_pal.txd"},
                 {"pc/p9_pal.txd", "tree/sub/p9_pal.txd"},
                 {"img/game_v2.img", "tree/game_v2.img"},
                 {"pc/p8_pal.txd", "tree/locked.txd"}}) {
            fs::copy_file(FixturePath(fixture), place);
        }
        ::chmod("tree/locked.txd", 0);
        // A header that claims 65535 textures and a first block far beyond the file's end.
        std::vector<std::uint8_t> hostile = ReadBytes(FixturePath("pc/p8_dxt.txd"));
        hostile.resize(200);
        hostile[24] = hostile[25] = 0xFF;
        hostile[32] = hostile[33] = hostile[34] = 0xFF;
        WriteBytes("tree/bad/hostile.txd", hostile);
        fs::create_directory_symlink("..", "tree/sub/loop");
        fs::create_symlink("itself.txd", "tree/sub/itself.txd");
    }
};

TEST_F(ScanCommandTest, FindGivesEveryMatchAndReportsWhatItCannotRead) {
    const ToolRun run = RunTxdtoolWithoutOverride({"find", "dxt1_256", "tree"});
    if (run.status == kCannotDropOverride) {
        GTEST_SKIP() << "cannot give up the power to read unreadable files here";
    }
    EXPECT_EQ(run.out,
              "tree/game_v2.img:infernus.txd: dxt1_256 (256 × 256 dxt1)\n"
              "tree/game_v2.img:town_dxt.txd: dxt1_256 (256 × 256 dxt1)\n"
              "tree/p8_dxt.txd: dxt1_256 (256 × 256 dxt1)\n"
              "tree/sub/deeper/p5_dxt.txd: dxt1_256 (256 × 256 dxt1)\n"
              "tree/sub/p9_dxt.txd: dxt1_256 (256 × 256 dxt1)\n");
    EXPECT_EQ(run.err,
              "txdtool: tree/bad/hostile.txd: the file is truncated: texture 1 (\"dxt1_256\") of "
              "65535 claims 16777227 bytes but only 172 remain\n"
              "txdtool: tree/locked.txd: Permission denied\n");
    EXPECT_EQ(run.status, 2);

    struct Case {
        std::vector<std::string> words;
        std::size_t lines;
        int status;
    };
    for (const Case& c : std::vector<Case>{
             {{"find", "DXT1_256", "tree/sub"}, 0, 1},
             {{"find", "-i", "DXT1_256", "tree/sub"}, 2, 0},
             {{"find", "c8888_*", "tree/p8_rgb.txd", "tree/sub"}, 4, 0},
             {{"find", "*", "tree/game_v2.img"}, 42, 0},
         }) {
        const ToolRun one = RunTxdtool(c.words);
        EXPECT_EQ(std::count(one.out.begin(), one.out.end(), '\n'), c.lines) << c.words[1];
        EXPECT_EQ(one.status, c.status) << c.words[1] << one.err;
    }
}

TEST_F(ScanCommandTest, IndexListsEveryTextureOnceAndDuplicatesGroupTheTwins) {
    const ToolRun index = RunTxdtoolWithoutOverride({"index", "--json", "--pictures", "tree"});
    if (index.status == kCannotDropOverride) {
        GTEST_SKIP() << "cannot give up the power to read unreadable files here";
    }
    EXPECT_EQ(index.status, 1);
    const auto document = nlohmann::json::parse(index.out);
    std::set<std::tuple<std::string, std::string, int>> listed;
    for (const auto& texture : document.at("textures")) {
        const auto& where = texture.at("where");
        const auto& entry = where.at("entry");
        listed.emplace(where.at("file").get<std::string>(),
                       entry.is_null() ? "" : entry.get<std::string>(), texture.at("index"));
    }
    std::size_t inArchive = 0;
    const Archive archive = Archive::Open("tree/game_v2.img");
    for (std::size_t i = 0; i < archive.entries().size(); ++i) {
        if (archive.IsDictionary(i)) {
            inArchive += ParseDictionary(archive.ReadContent(i), "entry").size();
        }
    }
    EXPECT_EQ(document.at("textures").size(), listed.size());
    EXPECT_EQ(listed.size(), 8 * 5 + 7 * 2 + inArchive);
    EXPECT_EQ(document.at("errors").size(), 2u);

    // Every texture of the three dxt dictionaries, of the two rgb ones and of the two pal ones
    // (one swizzled) is one picture.
    const auto groups = nlohmann::json::parse(RunTxdtool({"duplicates", "--json", "tree"}).out);
    std::map<std::string, std::set<std::string>> placesOf;
    for (const auto& group : groups.at("groups")) {
        std::set<std::string> places;
        for (const auto& copy : group.at("textures")) {
            places.insert(copy.at("where").at("file").get<std::string>() + ":" +
                          copy.at("name").get<std::string>());
        }
        for (const auto& copy : group.at("textures")) {
            placesOf[copy.at("name")].insert(places.begin(), places.end());
        }
    }
    for (const char* name : {"dxt1_256", "dxt3_4x4", "dxt5_128x32_mips"}) {
        for (const char* file : {"tree/p8_dxt.txd", "tree/sub/p9_dxt.txd",
                                 "tree/sub/deeper/p5_dxt.txd", "tree/game_v2.img"}) {
            EXPECT_TRUE(placesOf[name].contains(std::string(file) + ":" + name)) << file << name;
        }
    }
    for (const auto& [names, files] :
         std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>>{
             {{"c8888_64_mips", "c565_32x16", "c555_16x8"},
              {"tree/sub/p9_rgb.TXD", "tree/p8_rgb.txd"}},
             {{"pal8_64_mips", "pal4_16x8", "pal8x_128x32_mips"},
              {"tree/p5_pal.txd", "tree/sub/p9_pal.txd"}}}) {
        for (const std::string& name : names) {
            for (const std::string& file : files) {
                EXPECT_TRUE(placesOf[name].contains(file + ":" + name)) << file << name;
            }
        }
    }
}

}  // namespace tinplate
