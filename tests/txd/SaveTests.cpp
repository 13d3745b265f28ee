// SPDX-License-Identifier: GPL-3.0-or-later
// Save in place: what is written back, and the levels the library rebuilds.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "fileio/ByteOrder.h"
#include "fileio/DictionaryLock.h"
#include "fileio/FileIo.h"
#include "save/DictionarySave.h"
#include "save/OpenedDictionarySave.h"
#include "tests/spy/SpyControl.h"
#include "tests/support/ImageLibraries.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/GameLevels.h"
#include "workfiles/WorkingBitmap.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

using Sizes = std::vector<std::pair<int, int>>;
using Textures = std::vector<TextureEntry>;

// Offsets where `after` differs from `before`, leaving out what Save may rebuild: the smaller
// levels of the 8-bit textures among `edited` with several levels. A length change shows where
// the shorter one ends.
std::vector<std::uint64_t> Changed(std::span<const std::uint8_t> before,
                                   std::span<const std::uint8_t> after, const Textures& edited) {
    const auto rebuilt = [&](std::uint64_t at) {
        return std::any_of(edited.begin(), edited.end(), [at](const TextureEntry& t) {
            const TextureRecord& r = t.record;
            return r.depth == 8 && static_cast<std::uint16_t>(r.mipCount) != 1 &&
                   at >= std::uint64_t{r.pixelOffset} + r.pixelSize && at < r.levelDataEnd;
        });
    };
    std::vector<std::uint64_t> changed;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        if (before[i] != after[i] && !rebuilt(i)) {
            changed.push_back(i);
        }
    }
    if (before.size() != after.size()) {
        changed.push_back(common);
    }
    return changed;
}

// The pixels the real image library makes from the first level as the game draws it, for each
// size, one after the other: what the game must see behind the first level.
std::vector<std::uint8_t> ExpectedLevels(TextureRecord record, const Sizes& sizes) {
    record.pixels = ByteBuffer::Copy(GameLevelOf(record, 0).bytes);
    WriteWorkingBitmap("expected_in.bmp", record, 8);
    ImageLibraries libraries;
    std::vector<std::uint8_t> levels;
    for (const auto& [width, height] : sizes) {
        libraries.BmpResize("expected_in.bmp", "expected_out.bmp", width, height);
        const auto resized = ReadBytes("expected_out.bmp");
        levels.insert(levels.end(), resized.begin() + std::min<std::size_t>(1078, resized.size()),
                      resized.end());
    }
    RemoveFileQuietly("expected_in.bmp");
    RemoveFileQuietly("expected_out.bmp");
    return levels;
}

class SaveTest : public ::testing::Test {
protected:
    void SetUp() override { spy::Reset(); }

    // Saves `path` as read, with `edit` applied to its records first.
    Textures Save(const std::string& path, const std::function<void(Textures&)>& edit = {}) {
        const FileIdentity opened = IdentityOf(path);
        auto textures = ReadDictionary(path);
        if (edit) {
            edit(textures);
        }
        SaveDictionary(DictionaryLock(path), opened, ReadBytes(path), textures, gfx);
        return textures;
    }

    static Sizes ResizedSizes() {
        Sizes sizes;
        for (const auto& call : spy::Calls()) {
            sizes.emplace_back(call.numbers.at(0), call.numbers.at(1));
        }
        return sizes;
    }

    ScratchDir scratch;
    GfxBinding gfx{spy::kModuleName};
};

TEST_F(SaveTest, UneditedSaveKeepsEveryByte) {
    WriteDictionary("sample.txd", StandardSampleTextures());
    for (const std::string name : {"sample.txd", "pal8_mips.txd", "pal4.txd", "rgba32.txd",
                                   "dxt.txd", "mixed.txd", "empty.txd", "pal4_mips.txd"}) {
        SCOPED_TRACE(name);
        const auto before = ReadBytes(name == "sample.txd" ? name : CopyFixtureHere(name));
        Save(name);
        EXPECT_EQ(ReadBytes(name), before);
        EXPECT_TRUE(spy::Calls().empty());
    }
}

// The levels of a texture nobody changed may be its author's own: only the edited texture's
// are made again, every other block stays byte for byte.
TEST_F(SaveTest, AnEditOfOneTextureLeavesEveryOtherBlockAsItWas) {
    for (const std::string name : {"pal8_mips.txd", "pal4_mips.txd"}) {
        const auto before = ReadBytes(CopyFixtureHere(name));
        for (std::size_t edited = 0; edited < ReadDictionary(name).size(); ++edited) {
            SCOPED_TRACE(name + " texture " + std::to_string(edited));
            WriteBytes(name, before);
            const auto textures =
                Save(name, [&](auto& t) { t[edited].record = Scrambled(t[edited].record); });
            const TextureRecord& r = textures[edited].record;
            for (const std::uint64_t at : Changed(before, ReadBytes(name), {})) {
                EXPECT_TRUE(at >= r.headerOffset && at < r.blockEnd) << at;
            }
            EXPECT_FALSE(FileExists(WorkingPath("MipMapIn.bmp")) ||
                         FileExists(WorkingPath("MipMapOut.bmp")));
        }
    }
}

// An edit inside the textures' places is saved in place, the 8-bit levels rebuilt by the image
// library; only a changed list is written whole.
TEST_F(SaveTest, InPlaceWhileTheBlocksAllowItWholeOtherwise) {
    const auto before = ReadBytes(CopyFixtureHere("pal8_mips.txd"));
    for (const bool restructured : {false, true}) {
        WriteBytes("pal8_mips.txd", before);
        spy::Reset();
        auto textures = ReadDictionary("pal8_mips.txd");
        textures[0].record = Scrambled(textures[0].record);
        if (restructured) {
            textures.pop_back();
        }
        const SavedDictionary saved =
            SaveOpenedDictionary(DictionaryLock("pal8_mips.txd"), IdentityOf("pal8_mips.txd"),
                                 before, textures, gfx, false);
        EXPECT_EQ(saved.writtenWhole, restructured);
        EXPECT_EQ(spy::Calls().empty(), restructured);
    }
}

TEST_F(SaveTest, LevelsAreResizedFromTheFirstAndWrittenBackToBack) {
    const Sizes square{{128, 128}, {64, 64}, {32, 32}, {16, 16}, {8, 8}, {4, 4}, {2, 2}, {1, 1}};
    const Sizes wide{{128, 32}, {64, 16}, {32, 8}, {16, 4}, {8, 2}, {4, 1}, {2, 1}, {1, 1}};
    for (const auto& [height, sizes] : {std::pair{256, square}, {64, wide}}) {
        SCOPED_TRACE(height);
        spy::Reset();
        WriteDictionary("sample.txd", {MakePatternTexture("t", 256, height, 8, 0, 9, 0xA500)});
        const TextureRecord record =
            Save("sample.txd", [](auto& t) { t[0].record = Scrambled(t[0].record); }).at(0).record;
        ASSERT_EQ(ResizedSizes(), sizes);
        const auto expected = ExpectedLevels(record, sizes);
        const TextureRecord after = ReadDictionary("sample.txd").at(0).record;
        std::vector<std::uint8_t> levels;
        for (std::size_t i = 1; i <= sizes.size(); ++i) {
            const auto level = GameLevelOf(after, i).bytes;
            levels.insert(levels.end(), level.begin(), level.end());
        }
        EXPECT_EQ(levels, expected);
    }
}

TEST_F(SaveTest, LevelCountIsTrustedOnlyAsFarAsTheChainAndTheBlockGo) {
    for (const std::uint8_t stored : {127, 255}) {
        SCOPED_TRACE(int{stored});
        spy::Reset();
        auto bytes = BuildDictionary({MakePatternTexture("full", 256, 256, 8, 0, 9, 0xA500),
                                      MakePatternTexture("short", 64, 64, 8, 0, 3, 0xA500)});
        bytes[28 + 109] = stored;
        bytes[28 + 12 + ReadLe32(bytes, 28 + 4) + 109] = stored;
        WriteBytes("sample.txd", bytes);
        const auto textures = Save("sample.txd", [](auto& t) {
            for (TextureEntry& texture : t) {
                texture.record.palette[0] ^= 1;
            }
        });
        EXPECT_EQ(ResizedSizes().size(), 8u + 2u);
        EXPECT_EQ(Changed(bytes, ReadBytes("sample.txd"), textures),
                  (std::vector<std::uint64_t>{textures[0].record.paletteOffset,
                                              textures[1].record.paletteOffset}));
    }
}

TEST_F(SaveTest, DeeperTexturesWriteTheirFirstLevelAndKeepTheRest) {
    const auto before = ReadBytes(CopyFixtureHere("rgba32.txd"));
    const auto textures = Save("rgba32.txd", [](auto& t) { t[2].record = Scrambled(t[2].record); });
    const auto changed = Changed(before, ReadBytes("rgba32.txd"), {});
    ASSERT_FALSE(changed.empty());
    EXPECT_GE(changed.front(), textures[2].record.pixelOffset);
    EXPECT_LT(changed.back(), textures[2].record.pixelOffset + textures[2].record.pixelSize);
    EXPECT_TRUE(spy::Calls().empty());
}

}  // namespace

}  // namespace tinplate
