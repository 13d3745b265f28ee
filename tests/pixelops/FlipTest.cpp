// SPDX-License-Identifier: GPL-3.0-or-later
#include "Flip.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <vector>

#include "AlphaFlag.h"
#include "CountingRecord.h"
#include "DictionaryReader.h"
#include "TestSupport.h"

namespace {

int SquishKind(std::int32_t compression) {
    switch (compression) {
        case compression::kDxt1:
            return squish::kDxt1;
        case compression::kDxt3:
            return squish::kDxt3;
        default:
            return squish::kDxt5;
    }
}

std::vector<std::uint8_t> Decode(const TextureRecord& record) {
    std::vector<std::uint8_t> rgba(std::size_t{record.width} * record.height * 4);
    squish::DecompressImage(rgba.data(), static_cast<int>(record.width),
                            static_cast<int>(record.height), record.pixels.data(),
                            SquishKind(record.compression));
    return rgba;
}

// Colour and alpha change along both axes, and alpha crosses the 1-bit cut-off, so every
// index row of every kind differs from its neighbours.
TextureRecord EncodedPicture(std::uint32_t width, std::uint32_t height, std::int32_t kind) {
    std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            std::uint8_t* texel = rgba.data() + (std::size_t{y} * width + x) * 4;
            texel[0] = static_cast<std::uint8_t>(x * 29 + y * 3);
            texel[1] = static_cast<std::uint8_t>(y * 71);
            texel[2] = static_cast<std::uint8_t>((x ^ y) * 40);
            texel[3] = static_cast<std::uint8_t>(255 - y * 50 - x * 7);
        }
    }
    const int flags = SquishKind(kind);
    TextureRecord record = CountingRecord(width, height, 16, 0, kind);
    record.pixelSize = static_cast<std::uint32_t>(
        squish::GetStorageRequirements(static_cast<int>(width), static_cast<int>(height), flags));
    record.pixels.resize(record.pixelSize);
    squish::CompressImage(rgba.data(), static_cast<int>(width), static_cast<int>(height),
                          record.pixels.data(), flags);
    return record;
}

TEST(FlipTexture, MirrorsUncompressedRows) {
    TextureRecord eightBit = CountingRecord(4, 3, 8);
    ASSERT_TRUE(FlipTexture(eightBit));
    EXPECT_EQ(eightBit.pixels, (std::vector<std::uint8_t>{8, 9, 10, 11, 4, 5, 6, 7, 0, 1, 2, 3}));

    TextureRecord thirtyTwoBit = CountingRecord(2, 3, 32);
    ASSERT_TRUE(FlipTexture(thirtyTwoBit));
    EXPECT_EQ(thirtyTwoBit.pixels,
              (std::vector<std::uint8_t>{16, 17, 18, 19, 20, 21, 22, 23, 8, 9, 10, 11,
                                         12, 13, 14, 15, 0,  1,  2,  3,  4, 5, 6,  7}));

    for (const int depth : {8, 32}) {
        TextureRecord oneRow = CountingRecord(2, 1, depth);
        const std::vector<std::uint8_t> before = oneRow.pixels;
        ASSERT_TRUE(FlipTexture(oneRow));
        EXPECT_EQ(oneRow.pixels, before);
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
            records.push_back(EncodedPicture(width, height, kind));
        }
    }
    for (const TextureRecord& original : records) {
        SCOPED_TRACE(testing::Message() << "kind " << original.compression << " " << original.width
                                        << "x" << original.height);
        TextureRecord record = original;
        ASSERT_TRUE(FlipTexture(record));
        const std::vector<std::uint8_t> before = Decode(original);
        const std::vector<std::uint8_t> after = Decode(record);
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

TEST(FlipTexture, TwiceGivesBackEveryUncompressedKind) {
    for (const int depth : {8, 16, 24, 32}) {
        const TextureRecord original = CountingRecord(5, 7, depth);
        TextureRecord record = original;
        ASSERT_TRUE(FlipTexture(record));
        EXPECT_NE(record.pixels, original.pixels);
        ASSERT_TRUE(FlipTexture(record));
        EXPECT_EQ(record.pixels, original.pixels) << "depth " << depth;
    }
}

TEST(FlipTexture, LeavesMismatchedTexturesAlone) {
    const std::vector<TextureRecord> records = {
        CountingRecord(4, 3, 32, 12),  // size of an 8-bit texture
        CountingRecord(0, 3, 8, 0),    // zero side
        CountingRecord(4, 0, 8, 0),
        CountingRecord(8, 8, 16, 64, 12),          // DXT1 with a DXT3 size
        CountingRecord(8, 8, 16, 32, 14),          // DXT3 with a DXT1 size
        EncodedPicture(8, 6, compression::kDxt1),  // rows would move between blocks
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        TextureRecord record = records[i];
        EXPECT_FALSE(FlipTexture(record)) << i;
        EXPECT_EQ(record.pixels, records[i].pixels) << i;
    }
}

TEST(SetAlpha, StoresOneOrZeroWhateverWasThere) {
    for (const std::uint32_t prior : {0u, 1u, 2u, 0xFFFFFFFFu}) {
        TextureRecord record;
        record.hasAlpha = prior;
        SetAlpha(record, true);
        EXPECT_EQ(record.hasAlpha, 1u);
        record.hasAlpha = prior;
        SetAlpha(record, false);
        EXPECT_EQ(record.hasAlpha, 0u);
    }
}

}  // namespace
