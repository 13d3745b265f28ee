// SPDX-License-Identifier: GPL-3.0-or-later
// The order judged for every fixture texture, and the twins' game pictures level by level.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/GameLevels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

TEST(GamePictureTest, EachFixtureTexturesOrderIsJudgedAsStored) {
    struct Expected {
        std::string file;
        std::size_t index;
        std::string order;
    };
    std::vector<Expected> expected;
    for (const FixtureRow& row : FixtureTable("textures.tsv")) {
        expected.push_back({row.at("file"), std::stoul(row.at("index")), row.at("order")});
    }
    for (const FixtureRow& row : FixtureTable("pc/textures.tsv")) {
        const std::string& file = row.at("file");
        expected.push_back({"pc/" + file, std::stoul(row.at("index")),
                            file.starts_with("p5_") ? "swizzled" : "linear"});
    }
    for (const Expected& e : expected) {
        const TextureRecord r = ReadDictionary(FixturePath(e.file)).at(e.index).record;
        // Blocks are never swizzled. Three single small levels read as smoothly, or as
        // predictably, in both orders: nothing in their bytes tells.
        const std::set<std::string> untellable{"mixed.txd #2", "mixed.txd #4", "pal4.txd #1"};
        if (IsBlockCompressed(r) || untellable.contains(e.file + " #" + std::to_string(e.index))) {
            continue;
        }
        SCOPED_TRACE(e.file + " #" + std::to_string(e.index));
        if (e.order == "linear") {
            EXPECT_EQ(r.firstLevelOrder, TexelOrder::kLinear);
            EXPECT_EQ(r.order, TexelOrder::kLinear);
        } else {
            EXPECT_TRUE(IsSwizzled(r.firstLevelOrder));
            EXPECT_TRUE(IsSwizzled(r.order));
        }
    }
}

TEST(GamePictureTest, TwinsDrawTheSamePicturesOnEveryPlatform) {
    const std::vector<std::vector<std::string>> twins = {
        {"p5_pal.txd", "p8_pal.txd", "p9_pal.txd"},
        {"p5_dxt.txd", "p8_dxt.txd", "p9_dxt.txd"},
        {"p8_rgb.txd", "p9_rgb.txd"},
    };
    for (const auto& files : twins) {
        const auto first = ReadDictionary(FixturePath("pc/" + files.front()));
        for (std::size_t f = 1; f < files.size(); ++f) {
            const auto other = ReadDictionary(FixturePath("pc/" + files[f]));
            ASSERT_EQ(other.size(), first.size());
            for (std::size_t t = 0; t < first.size(); ++t) {
                const TextureRecord& a = first[t].record;
                const TextureRecord& b = other[t].record;
                SCOPED_TRACE(files[f] + " " + first[t].name);
                EXPECT_EQ(GamePaletteOf(a), GamePaletteOf(b));
                ASSERT_EQ(LevelCount(a), LevelCount(b));
                for (std::size_t level = 0; level < LevelCount(a); ++level) {
                    const GameLevel levelA = GameLevelOf(a, level);
                    EXPECT_FALSE(levelA.bytes.empty());
                    EXPECT_EQ(levelA.bytes, GameLevelOf(b, level).bytes) << "level " << level;
                }
            }
        }
    }
}

}  // namespace

}  // namespace tinplate
