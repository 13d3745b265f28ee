// SPDX-License-Identifier: GPL-3.0-or-later
// The reader's size rules and its refusal of files that do not hold what they claim.
#include <gtest/gtest.h>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/support/TestSupport.h"
#include "tools/DictionaryBuilder.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

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

// The palette bits decide the palette's size; the thresholds only serve words without them.
// Blocks count whole 4 x 4 tiles; a kind no rule covers gets neither palette nor pixels.
TEST(ReaderTest, SizeRulesOfEveryKind) {
    struct Case {
        std::int8_t depth;
        std::int8_t compression;
        std::uint32_t alphaFlags;
        int entries;
        std::uint16_t width, height;
        std::uint32_t paletteSize, pixelSize;
    };
    const Case cases[] = {
        {8, 0, 0x2500, 256, 8, 4, 1024, 32}, {8, 0, 0x4500, 32, 8, 4, 128, 32},
        {8, 0, 0xA500, 256, 8, 4, 1024, 32}, {8, 0, 0xC500, 32, 8, 4, 128, 32},
        {8, 0, 5000, 256, 8, 4, 1024, 32},   {8, 0, 0x9000, 32, 8, 4, 128, 32},
        {8, 0, 40001, 256, 8, 4, 1024, 32},  {8, 0, 10000, 256, 8, 4, 1024, 32},
        {16, 12, 0x200, 0, 2, 2, 0, 8},      {16, 14, 0x300, 0, 5, 5, 0, 64},
        {16, 15, 0x300, 0, 64, 32, 0, 2048}, {16, 12, 0x200, 0, 64, 32, 0, 1024},
        {8, 0, 40000, 256, 4, 4, 0, 0},      {16, 3, 0x100, 0, 4, 4, 0, 0},
        {-8, 0, 0x2500, 256, 4, 4, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << int{c.depth} << "/" << int{c.compression} << " flags " << c.alphaFlags);
        auto texture = MakePatternTexture("t", c.width, c.height, c.depth < 0 ? 8 : c.depth,
                                          c.compression, 1, c.alphaFlags, c.entries);
        texture.depth = c.depth;
        const TextureRecord r = Parse(BuildDictionary({texture}))[0].record;
        EXPECT_EQ(r.paletteSize, c.paletteSize);
        EXPECT_EQ(r.pixelSize, c.pixelSize);
        EXPECT_EQ(r.depth, c.depth);
        if (c.pixelSize == 0) {
            EXPECT_EQ(r.pixelOffset, r.headerOffset + 116);
        }
    }
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
}

// The end-of-file check to the byte: a last block that ends with the file is whole, one a
// byte short is not.
TEST(ReaderTest, LastBlockEndingAtTheFileEndIsReadAndOneByteShortIsRefused) {
    const auto whole = BuildDictionary(StandardSampleTextures());
    const std::size_t lastBlockEnd = whole.size() - 12;  // the dictionary's extension chunk
    const std::vector<std::uint8_t> exact(whole.begin(), whole.begin() + lastBlockEnd);
    const auto textures = Parse(exact);
    ASSERT_EQ(textures.size(), StandardSampleTextures().size());
    EXPECT_EQ(textures.back().record.blockEnd, lastBlockEnd);
    const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + lastBlockEnd - 1);
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

}  // namespace

}  // namespace tinplate
