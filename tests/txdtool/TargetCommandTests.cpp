// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool set, target, new --target and lint --target on the fixtures of every platform.
#include <nlohmann/json.hpp>

#include "fileio/ByteOrder.h"
#include "tests/txdtool/TxdtoolTest.h"
#include "texture/LevelDecode.h"
#include "txd/FilterWord.h"
#include "txd/GameTargets.h"
#include "txd/LibraryVersion.h"

namespace tinplate {

namespace {

// Every chunk header's version word, walked as the format nests them.
void ChunkVersions(const std::vector<std::uint8_t>& file, std::size_t begin, std::size_t end,
                   std::vector<std::uint32_t>& words) {
    while (begin + 12 <= end) {
        const std::uint32_t type = ReadLe32(file, begin);
        const std::size_t childEnd = begin + 12 + ReadLe32(file, begin + 4);
        ASSERT_LE(childEnd, end);
        words.push_back(ReadLe32(file, begin + 8));
        if (type == 0x16 || type == 0x15 || type == 0x03) {
            ChunkVersions(file, begin + 12, childEnd, words);
        }
        begin = childEnd;
    }
}

// The first level's picture of each texture.
std::vector<std::string> Pictures(const std::string& path) {
    std::vector<std::string> pictures;
    for (const TextureEntry& texture : ReadDictionary(path)) {
        const TextureRecord& r = texture.record;
        pictures.push_back(Sha256Hex(DecodeLevel(r, r.pixels, r.width, r.height).rgba));
    }
    return pictures;
}

constexpr const char* kFixtures[] = {"pc/p5_pal.txd", "pc/p8_dxt.txd", "pc/p9_rgb.txd",
                                     "mixed.txd"};

TEST_F(TxdtoolTest, SetChangesOnlyTheFilterBitsAndMaskOfTheNamedTextures) {
    for (const char* fixture : kFixtures) {
        SCOPED_TRACE(fixture);
        const auto before = ReadBytes(FixturePath(fixture));
        WriteBytes("d.txd", before);
        const auto textures = ReadDictionary("d.txd");
        ASSERT_EQ(RunTxdtool({"set", "--all", "--filter=linear-mip-linear", "--u", "mirror",
                              "--v=clamp", "--mask=msk", "d.txd"})
                      .status,
                  0);
        const auto after = ReadBytes("d.txd");
        ASSERT_EQ(after.size(), before.size());
        const auto read = ReadDictionary("d.txd");
        for (std::size_t i = 0; i < textures.size(); ++i) {
            EXPECT_EQ(read[i].record.filterFlags,
                      (textures[i].record.filterFlags & 0xFFFF0000) | 0x3206);
            EXPECT_EQ(read[i].record.maskName, "msk");
        }
        // Outside the filter words' low halves and the mask fields nothing moved.
        std::size_t differing = 0;
        for (std::size_t b = 0; b < before.size(); ++b) {
            const bool inField = std::any_of(textures.begin(), textures.end(), [&](auto& t) {
                const std::size_t at = t.record.headerOffset;
                return (b >= at + 28 && b < at + 30) || (b >= at + 64 && b < at + 96);
            });
            differing += before[b] != after[b] && !inField;
        }
        EXPECT_EQ(differing, 0u);
        const auto listed = nlohmann::json::parse(RunTxdtool({"list", "--json", "d.txd"}).out);
        const auto& file = listed["files"][0];
        EXPECT_EQ(file["version"], "3.6.0.3");
        EXPECT_EQ(file["build"], 0xFFFF);
        EXPECT_EQ(file["textures"][0]["filter"],
                  nlohmann::json({{"mode", "linear-mip-linear"}, {"u", "mirror"}, {"v", "clamp"}}));
    }
    EXPECT_EQ(RunTxdtool({"set", "d.txd", "--all", "--filter=blurry"}).status, 2);
    EXPECT_EQ(RunTxdtool({"set", "--all", "--mask=a/b", "d.txd"}).status, 2);
}

TEST_F(TxdtoolTest, TargetStampsEveryChunkAndConvertsWhatTheGameCannotRead) {
    const struct {
        const char* target;
        std::uint32_t word;
    } targets[] = {{"iii-pc", 0x0C02FFFF},
                   {"vc-5", 0x1400FFFF},
                   {"sa-pc", 0x1803FFFF},
                   {"3.4.0.3", 0x1003FFFF}};
    for (const char* fixture : kFixtures) {
        for (const auto& [target, word] : targets) {
            SCOPED_TRACE(std::string(fixture) + " to " + target);
            WriteBytes("d.txd", ReadBytes(FixturePath(fixture)));
            const auto textures = ReadDictionary("d.txd");
            ASSERT_EQ(RunTxdtool({"target", "d.txd", target}).status, 0);
            const auto bytes = ReadBytes("d.txd");
            std::vector<std::uint32_t> words;
            ChunkVersions(bytes, 0, bytes.size(), words);
            EXPECT_EQ(words, std::vector<std::uint32_t>(words.size(), word));
            const auto read = ReadDictionary("d.txd");
            const GameTarget* game = FindGameTarget(target);
            const std::uint32_t was = textures[0].record.platform;
            const std::uint32_t to = game ? PlatformOnTarget(*game, was) : was;
            for (const TextureEntry& texture : read) {
                EXPECT_EQ(texture.record.platform, to);
            }
            // The same pictures: as they were, or as platform converts them.
            WriteBytes("via.txd", ReadBytes(FixturePath(fixture)));
            if (to != was) {
                ASSERT_EQ(RunTxdtool({"platform", "via.txd", std::to_string(to)}).status, 0);
            }
            EXPECT_EQ(Pictures("d.txd"), Pictures("via.txd"));
            ASSERT_EQ(RunTxdtool({"target", "via.txd", target}).status, 0);
            EXPECT_EQ(ReadBytes("via.txd"), bytes);
        }
    }
    // A 6 x 4 texture, made on platform 5 only by force, cannot go to PS2 (sides that are
    // powers of two only).
    std::vector<std::uint8_t> targa = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 6, 0, 4, 0, 32, 0x28};
    targa.resize(targa.size() + 6 * 4 * 4, 0x80);
    WriteBytes("pic.tga", targa);
    ASSERT_EQ(RunTxdtool({"new", "odd.txd"}).status, 0);
    ASSERT_EQ(RunTxdtool({"add", "--force", "odd.txd", "pic.tga", "rgba32"}).status, 0);
    const auto odd = ReadBytes("odd.txd");
    for (const char* target : {"sa-ps2", "iii-ps2"}) {
        EXPECT_EQ(RunTxdtool({"target", "odd.txd", target}).status, 1) << target;
        EXPECT_EQ(ReadBytes("odd.txd"), odd);
    }
    EXPECT_EQ(RunTxdtool({"target", "odd.txd", "gta-pc"}).status, 2);
}

TEST_F(TxdtoolTest, NewForEachTargetGivesDictionariesItsLintPasses) {
    std::vector<std::uint8_t> targa = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 8, 0, 8, 0, 32, 0x28};
    targa.resize(targa.size() + 8 * 8 * 4, 0xFF);
    WriteBytes("pic.tga", targa);
    for (const GameTarget& target : GameTargets()) {
        SCOPED_TRACE(target.word);
        if (std::string(target.word).ends_with("ps2")) {
            continue;  // PS2 dictionaries hold no DXT textures
        }
        const std::string file = std::string(target.word) + ".txd";
        const ToolRun made = RunTxdtool({"new", "--target", target.word, file});
        ASSERT_EQ(made.status, 0) << made.err;
        ASSERT_EQ(RunTxdtool({"add", file, "pic.tga", "dxt1"}).status, 0);
        const ToolRun lint = RunTxdtool({"lint", "--target=" + std::string(target.word), file});
        EXPECT_EQ(lint.status, 0) << lint.out;
        EXPECT_EQ(ReadDictionary(file)[0].record.platform, target.platform);
        EXPECT_NE(RunTxdtool({"lint", file}).out.find(target.word), std::string::npos);
    }
    const ToolRun wrong = RunTxdtool({"lint", "--target=iii-pc", "sa-pc.txd"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_NE(wrong.out.find("[target-platform]"), std::string::npos) << wrong.out;
    EXPECT_NE(wrong.out.find("[target-version]"), std::string::npos) << wrong.out;
}

TEST(LibraryVersion, WordsAndTextsAgree) {
    const struct {
        const char* text;
        std::uint32_t word;
    } rows[] = {{"3.6.0.3", 0x1803FFFF}, {"3.4.0.3", 0x1003FFFF}, {"3.3.0.2", 0x0C02FFFF},
                {"3.5.0.0", 0x1400FFFF}, {"3.2.0.0", 0x0800FFFF}, {"3.1.0.1", 0x0401FFFF},
                {"3.1.0.0", 0x00000310}};
    for (const auto& [text, word] : rows) {
        EXPECT_EQ(ParseVersionWord(text), word) << text;
        EXPECT_EQ(VersionText(DecodeVersionWord(word).version), text);
    }
    for (const char* bad : {"3.6.0", "2.6.0.3", "3.16.0.0", "3.0.0.9", "3.6.0.3.1", "x"}) {
        EXPECT_FALSE(ParseVersionWord(bad)) << bad;
    }
    EXPECT_EQ(EncodeFilterWord(0xABCD1102, {6, 2, 3}), 0xABCD3206u);
    EXPECT_EQ(ParseFilterValue(FilterField::U, "16"), std::nullopt);
}

}  // namespace

}  // namespace tinplate
