// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ByteOrder.h"
#include "DictionaryBuilder.h"
#include "DictionaryReader.h"
#include "DictionarySave.h"
#include "FileIo.h"
#include "SaveTestSupport.h"
#include "SpyControl.h"
#include "TestSupport.h"

namespace {

using Sizes = std::vector<std::pair<int, int>>;

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override { spy::Reset(); }

    // Saves `path` as read, with `edit` applied to its records first.
    template <typename Edit>
    std::vector<TextureEntry> ReadEditSave(const std::string& path, Edit edit) {
        auto textures = ReadDictionary(path);
        edit(textures);
        SaveDictionary(path, textures, gfx);
        return textures;
    }
    std::vector<TextureEntry> ReadSave(const std::string& path) {
        return ReadEditSave(path, [](auto&) {});
    }

    static Sizes ResizedSizes() {
        Sizes sizes;
        for (const auto& call : spy::CallsTo("_bmpresize")) {
            sizes.emplace_back(static_cast<int>(call.numbers.at(0)),
                               static_cast<int>(call.numbers.at(1)));
        }
        return sizes;
    }

    ScratchDir scratch;
    GfxBinding gfx{spy::kModuleName};
};

std::string WriteSample(const std::vector<SampleTexture>& textures) {
    WriteBytes("sample.txd", BuildDictionary(textures));
    return "sample.txd";
}

TEST_F(SaveTest, UneditedSaveKeepsEveryByteOutsideTheRebuiltLevels) {
    WriteSample(StandardSampleTextures());
    for (const std::string name : {"sample.txd", "pal8_mips.txd", "pal4.txd", "rgba32.txd",
                                   "dxt.txd", "mixed.txd", "empty.txd", "pal4_mips.txd"}) {
        SCOPED_TRACE(name);
        if (name != "sample.txd") {
            CopyFixtureHere(name);
        }
        const auto before = ReadBytes(name);
        const auto textures = ReadSave(name);
        EXPECT_EQ(ChangedOffsets(before, ReadBytes(name), RebuiltRanges(textures)),
                  std::vector<std::uint64_t>{});
        EXPECT_FALSE(FileExists("MipMapIn.bmp") || FileExists("MipMapOut.bmp"));
    }
}

TEST_F(SaveTest, NarrowPaletteWithLevelsStaysInsideItsBlock) {
    const auto textures = ReadSave(CopyFixtureHere("pal4_mips.txd"));
    const auto after = ReadBytes("pal4_mips.txd");
    EXPECT_EQ(Sha256Hex(std::span(after).subspan(272, 1024)),
              "b02b0f04417f223b1d657e108b54504fce3ade6ad599918960081ba4c3293330");
    EXPECT_EQ(ResizedSizes(), (Sizes{{16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}}));
    const std::uint64_t levelsEnd = 272 + 1024 + 256 + 64 + 16 + 4 + 1;
    EXPECT_LE(levelsEnd, textures[0].record.levelDataEnd);
    EXPECT_EQ(std::vector(after.begin() + 1296, after.begin() + levelsEnd),
              ExpectedLevels(textures[0].record, ResizedSizes()));
}

TEST_F(SaveTest, AlphaChangeRewritesOnlyThatTexturesWord) {
    const auto before = ReadBytes(CopyFixtureHere("pal8_mips.txd"));
    const auto textures = ReadEditSave("pal8_mips.txd", [](auto& t) { t[3].record.hasAlpha = 0; });
    const auto after = ReadBytes("pal8_mips.txd");
    const std::uint64_t word = textures[3].record.headerOffset + 100;
    EXPECT_EQ(ChangedOffsets(before, after, RebuiltRanges(textures)),
              std::vector<std::uint64_t>{word});
    EXPECT_EQ(ReadLe32(after, word), 0u);
}

TEST_F(SaveTest, SingleLevelTexturesMakeNoWorkingFilesAndNoResize) {
    ReadSave(CopyFixtureHere("pal4.txd"));
    EXPECT_TRUE(spy::Calls().empty());
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"pal4.txd"});
}

TEST_F(SaveTest, LargeSquareGetsEightLevelsBackToBackAfterTheFirst) {
    WriteSample({MakePatternTexture("zebra", 256, 256, 8, 0, 9, 0xA500)});
    const auto textures = ReadSave("sample.txd");
    const Sizes sizes{{128, 128}, {64, 64}, {32, 32}, {16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}};
    ASSERT_EQ(ResizedSizes(), sizes);
    const auto calls = spy::Calls();
    EXPECT_TRUE(calls.front().blockWasZero);
    for (const auto& call : calls) {
        EXPECT_EQ(call.firstName, "MipMapIn.bmp");
        EXPECT_EQ(call.secondName, "MipMapOut.bmp");
        EXPECT_EQ(call.blockAddress, calls.front().blockAddress);
    }
    const auto after = ReadBytes("sample.txd");
    const auto levelsStart = after.begin() + textures[0].record.pixelOffset + 65536;
    EXPECT_EQ(std::vector(levelsStart, levelsStart + 21845),
              ExpectedLevels(textures[0].record, sizes));
}

TEST_F(SaveTest, WideTextureAsksForEverySideHalvedDownToOne) {
    WriteSample({MakePatternTexture("wide", 256, 64, 8, 0, 9, 0xA500)});
    ReadSave("sample.txd");
    EXPECT_EQ(spy::Describe(spy::Calls().front()),
              "_bmpresize(MipMapIn.bmp, MipMapOut.bmp, zero block, 128, 32)");
    EXPECT_EQ(ResizedSizes(),
              (Sizes{{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}}));
}

TEST_F(SaveTest, LevelCountIsTrustedOnlyAsFarAsTheChainAndTheBlockGo) {
    for (const std::uint8_t stored : {127, 255}) {
        SCOPED_TRACE(int{stored});
        spy::Reset();
        auto bytes = BuildDictionary({MakePatternTexture("full", 256, 256, 8, 0, 9, 0xA500),
                                      MakePatternTexture("short", 64, 64, 8, 0, 3, 0xA500)});
        const std::size_t secondBlock = 28 + 12 + ReadLe32(bytes, 28 + 4);
        bytes[28 + 109] = stored;
        bytes[secondBlock + 109] = stored;
        WriteBytes("sample.txd", bytes);
        const auto textures = ReadSave("sample.txd");
        EXPECT_EQ(ResizedSizes().size(), 8u + 2u);
        EXPECT_EQ(ChangedOffsets(bytes, ReadBytes("sample.txd"), RebuiltRanges(textures)),
                  std::vector<std::uint64_t>{});
    }
}

TEST_F(SaveTest, DeeperTexturesWriteTheirFirstLevelAndKeepTheRest) {
    const auto before = ReadBytes(CopyFixtureHere("rgba32.txd"));
    const auto textures = ReadEditSave("rgba32.txd", [](auto& t) {
        for (auto& byte : t[2].record.pixels) {
            byte = static_cast<std::uint8_t>(~byte);
        }
    });
    const auto changed = ChangedOffsets(before, ReadBytes("rgba32.txd"));
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), textures[2].record.pixelOffset);
    EXPECT_LT(changed.back(), textures[2].record.pixelOffset + textures[2].record.pixelSize);
    EXPECT_TRUE(spy::Calls().empty());
}

TEST_F(SaveTest, EmptyListOpensNothing) {
    SaveDictionary("never_opened.txd", {}, gfx);
    EXPECT_TRUE(scratch.Files().empty());
    EXPECT_TRUE(spy::Calls().empty());
}

}  // namespace
