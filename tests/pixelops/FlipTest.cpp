// SPDX-License-Identifier: GPL-3.0-or-later
// Flip of every kind, checked against rows and blocks mirrored by hand.
#include "pixelops/Flip.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/pixelops/CountingRecord.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"

namespace tinplate {

namespace {

TextureRecord Blocks(std::uint16_t width, std::uint16_t height, std::int32_t kind) {
    return PatternEntry("blocks", width, height, 16, kind, 0x0300).record;
}

TEST(FlipTexture, MirrorsTheRowsOfEveryUncompressedKindAndTwiceGivesThemBack) {
    for (const int depth : {8, 16, 24, 32}) {
        for (const auto& [width, height] : {std::pair{4u, 3u}, {5u, 7u}, {2u, 1u}}) {
            SCOPED_TRACE(testing::Message() << width << "x" << height << " depth " << depth);
            const TextureRecord original = CountingRecord(width, height, depth);
            TextureRecord record = original;
            ASSERT_TRUE(FlipTexture(record));
            const std::size_t rowBytes = std::size_t{width} * depth / 8;
            for (std::uint32_t y = 0; y < height; ++y) {
                const auto row = record.pixels.begin() + y * rowBytes;
                EXPECT_TRUE(std::equal(row, row + rowBytes,
                                       original.pixels.begin() + (height - 1 - y) * rowBytes));
            }
            ASSERT_TRUE(FlipTexture(record));
            EXPECT_EQ(record.pixels, original.pixels);
        }
    }
}

TEST(FlipTexture, MirrorsTheDecodedPictureOfEveryBlockKind) {
    std::vector<TextureRecord> records;
    for (const auto& entry : ReadDictionary(FixturePath("mixed.txd"))) {
        if (IsBlockCompressed(entry.record)) {
            records.push_back(entry.record);
        }
    }
    ASSERT_EQ(records.size(), 3u);
    for (const std::int32_t kind : {compression::kDxt1, compression::kDxt3, compression::kDxt5}) {
        for (const auto& [width, height] :
             {std::pair{8u, 8u}, {8u, 2u}, {6u, 3u}, {4u, 1u}, {8u, 4u}, {4u, 16u}}) {
            records.push_back(Blocks(width, height, kind));
        }
    }
    for (const TextureRecord& original : records) {
        SCOPED_TRACE(testing::Message() << "kind " << original.compression << " " << original.width
                                        << "x" << original.height);
        TextureRecord record = original;
        ASSERT_TRUE(FlipTexture(record));
        const auto before =
            DecodeBlocks(original.compression, original.width, original.height, original.pixels);
        const auto after =
            DecodeBlocks(record.compression, record.width, record.height, record.pixels);
        const std::size_t rowBytes = std::size_t{original.width} * 4;
        for (std::uint32_t y = 0; y < original.height; ++y) {
            const auto row = after.begin() + y * rowBytes;
            const auto mirrored = before.begin() + (original.height - 1 - y) * rowBytes;
            ASSERT_TRUE(std::equal(row, row + rowBytes, mirrored)) << "row " << y;
        }
        ASSERT_TRUE(FlipTexture(record));
        EXPECT_EQ(record.pixels, original.pixels);
    }
}

TEST(FlipTexture, LeavesMismatchedTexturesAlone) {
    const std::vector<TextureRecord> records = {
        CountingRecord(4, 3, 32, 12),  // size of an 8-bit texture
        CountingRecord(0, 3, 8, 0),    // zero side
        CountingRecord(4, 0, 8, 0),
        CountingRecord(8, 8, 16, 64, 12),  // DXT1 with a DXT3 size
        CountingRecord(8, 8, 16, 32, 14),  // DXT3 with a DXT1 size
        Blocks(8, 6, compression::kDxt1),  // rows would move between blocks
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        TextureRecord record = records[i];
        EXPECT_FALSE(FlipTexture(record)) << i;
        EXPECT_EQ(record.pixels, records[i].pixels) << i;
    }
}

TEST(FlipTexture, MirrorsEveryStoredLevel) {
    for (const auto& [depth, compression] : {std::pair{32, 0}, {16, 12}, {16, 15}}) {
        SCOPED_TRACE(testing::Message() << "depth " << depth << " compression " << compression);
        const TextureRecord original =
            PatternEntry("levels", 16, 16, depth, compression, 0x8500, 256, 0, 5).record;
        TextureRecord record = original;
        ASSERT_TRUE(FlipTexture(record));
        const auto before = SmallerLevelBytes(original);
        const auto after = SmallerLevelBytes(record);
        ASSERT_EQ(after.size(), 4u);
        for (std::size_t i = 0; i < after.size(); ++i) {
            const std::uint32_t side = 8u >> i;
            const auto picture = [&](std::span<const std::uint8_t> level) {
                return compression == 0 ? std::vector<std::uint8_t>(level.begin(), level.end())
                                        : DecodeBlocks(compression, side, side, level);
            };
            EXPECT_EQ(picture(after[i]), FlipRows(picture(before[i]), side * 4)) << "level " << i;
        }
    }
}

}  // namespace

}  // namespace tinplate
