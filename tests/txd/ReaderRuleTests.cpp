// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's size rules and its refusal of files that do not hold what they claim.
#include <gtest/gtest.h>

#include "ByteOrder.h"
#include "DictionaryBuilder.h"
#include "DictionaryReader.h"
#include "FileError.h"
#include "TestSupport.h"

namespace {

std::vector<TextureEntry> Parse(const std::vector<std::uint8_t>& bytes) {
    return ParseDictionary(bytes, "test.txd");
}

std::string ParseError(const std::vector<std::uint8_t>& bytes) {
    try {
        Parse(bytes);
    } catch (const FileError& error) {
        EXPECT_EQ(error.fileName(), "test.txd");
        return error.reason();
    }
    return "";
}

TEST(ReaderTest, ListsSampleTexturesInFileOrderWithTheirBytes) {
    const auto samples = StandardSampleTextures();
    const auto entries = Parse(BuildDictionary(samples));
    ASSERT_EQ(entries.size(), samples.size());
    for (std::size_t i = 0; i < samples.size(); ++i) {
        SCOPED_TRACE(samples[i].name);
        const TextureRecord& r = entries[i].record;
        EXPECT_EQ(entries[i].name, samples[i].name);
        EXPECT_EQ(r.width, samples[i].width);
        EXPECT_EQ(r.height, samples[i].height);
        EXPECT_EQ(r.depth, samples[i].depth);
        EXPECT_EQ(r.compression, samples[i].compression);
        EXPECT_EQ(r.mipCount, static_cast<std::int16_t>(samples[i].levels.size()));
        EXPECT_EQ(r.hasAlpha, samples[i].hasAlpha);
        EXPECT_EQ(r.palette, samples[i].palette);
        EXPECT_EQ(r.pixels, samples[i].levels[0]);
    }
}

TEST(ReaderTest, PaletteBitsDecideAndThresholdsOnlyServeWordsWithoutThem) {
    struct Case {
        std::uint32_t alphaFlags;
        int entries;
        std::uint32_t paletteSize;
    };
    const Case cases[] = {
        {0x2500, 256, 1024}, {0x4500, 32, 128}, {0xA500, 256, 1024}, {0xC500, 32, 128},
        {5000, 256, 1024},   {0x9000, 32, 128}, {40001, 256, 1024},  {10000, 256, 1024},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alphaFlags);
        const auto entries = Parse(
            BuildDictionary({MakePatternTexture("t", 8, 4, 8, 0, 1, c.alphaFlags, c.entries)}));
        EXPECT_EQ(entries[0].record.paletteSize, c.paletteSize);
        EXPECT_EQ(entries[0].record.pixelSize, 32u);
    }
}

TEST(ReaderTest, TexturesWithoutASizeRuleAreListedWithoutPaletteOrPixels) {
    auto noBits = MakePatternTexture("forty", 4, 4, 8, 0, 1, 40000, 256);
    auto oddKind = MakePatternTexture("odd_kind", 4, 4, 16, 0, 1, 0x100);
    oddKind.compression = 3;
    auto negative = MakePatternTexture("negative", 4, 4, 8, 0, 1, 0x2500);
    negative.depth = -8;
    const auto entries = Parse(BuildDictionary({noBits, oddKind, negative}));
    ASSERT_EQ(entries.size(), 3u);
    for (const auto& entry : entries) {
        EXPECT_EQ(entry.record.paletteSize, 0u) << entry.name;
        EXPECT_EQ(entry.record.pixelSize, 0u) << entry.name;
        EXPECT_EQ(entry.record.pixelOffset, entry.record.headerOffset + 116) << entry.name;
    }
    EXPECT_EQ(entries[2].record.depth, -8);
}

TEST(ReaderTest, BlockCompressedLevelsCountWholeBlocks) {
    const auto entries = Parse(BuildDictionary({
        MakePatternTexture("dxt1_2x2", 2, 2, 16, 12, 1, 0x200),
        MakePatternTexture("dxt3_5x5", 5, 5, 16, 14, 1, 0x300),
        MakePatternTexture("dxt5_64x32", 64, 32, 16, 15, 1, 0x300),
        MakePatternTexture("dxt1_64x32", 64, 32, 16, 12, 1, 0x200),
    }));
    EXPECT_EQ(entries[0].record.pixelSize, 8u);
    EXPECT_EQ(entries[1].record.pixelSize, 64u);
    EXPECT_EQ(entries[2].record.pixelSize, 2048u);
    EXPECT_EQ(entries[3].record.pixelSize, 1024u);
}

TEST(ReaderTest, NameFillingAllThirtyTwoBytesIsTakenWholeAndSignedBytesAreSignExtended) {
    const std::string name(32, 'n');
    auto bytes = BuildDictionary({MakePatternTexture(name, 4, 4, 32, 0, 1, 0x500)});
    bytes[28 + 109] = 0xFF;  // level count
    const auto entries = Parse(bytes);
    EXPECT_EQ(entries[0].name, name);
    EXPECT_EQ(entries[0].record.mipCount, -1);
}

TEST(ReaderTest, EveryTruncationIsRefused) {
    const auto whole = BuildDictionary(StandardSampleTextures());
    const std::size_t lastBlockEnd = whole.size() - 12;  // the dictionary's extension chunk
    for (std::size_t size = 0; size < lastBlockEnd; size += 997) {
        std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + size);
        EXPECT_FALSE(ParseError(cut).empty()) << size;
    }
    std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + lastBlockEnd - 1);
    EXPECT_NE(ParseError(cut).find("truncated"), std::string::npos);
}

TEST(ReaderTest, InconsistentCountsAndSizesAreRefused) {
    const auto good = BuildDictionary({MakePatternTexture("a", 16, 16, 8, 0, 1, 0x2500),
                                       MakePatternTexture("b", 16, 16, 32, 0, 1, 0x500)});
    ASSERT_EQ(Parse(good).size(), 2u);

    auto moreCounted = good;
    moreCounted[24] = 3;
    EXPECT_NE(ParseError(moreCounted).find("truncated"), std::string::npos);

    auto pastTheEnd = good;
    WriteLe32(pastTheEnd, 28 + 4, 0x7FFFFFF0);
    EXPECT_NE(ParseError(pastTheEnd).find("truncated"), std::string::npos);

    auto tooSmall = good;
    WriteLe32(tooSmall, 28 + 4, 200);  // smaller than header, palette and 256 pixels
    EXPECT_NE(ParseError(tooSmall).find("too small"), std::string::npos);

    auto huge = good;
    huge[28 + 104] = 0xFF;  // width 0x10FF would need far more bytes than the block holds
    huge[28 + 105] = 0x10;
    EXPECT_NE(ParseError(huge).find("too small"), std::string::npos);
}

TEST(ReaderTest, LevelDataEndStaysInsideTheBlockWhateverTheStructSizeClaims) {
    auto bytes = BuildDictionary({MakePatternTexture("a", 16, 16, 8, 0, 3, 0xA500)});
    const auto honest = Parse(bytes)[0].record;
    EXPECT_EQ(honest.levelDataEnd, honest.pixelOffset + 256 + 64 + 16);

    WriteLe32(bytes, 28 + 16, 0xFFFFFF00);  // struct chunk claims to run far past its block
    EXPECT_EQ(Parse(bytes)[0].record.levelDataEnd, honest.levelDataEnd + 12);
    WriteLe32(bytes, 28 + 16, 4);  // and one that claims to end inside the header
    EXPECT_EQ(Parse(bytes)[0].record.levelDataEnd, honest.pixelOffset + 256);
}

TEST(ReaderTest, FilesTooLargeToBeADictionaryAreRefusedBeforeReading) {
    ScratchDir scratch;
    WriteBytes("huge.txd", {});
    std::filesystem::resize_file("huge.txd", 5ull << 30);  // sparse: costs no disk
    try {
        ReadDictionary("huge.txd");
        FAIL() << "no error";
    } catch (const FileError& error) {
        EXPECT_EQ(error.reason(), "the file is larger than 4 GiB");
    }
}

}  // namespace
