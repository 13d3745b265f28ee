// SPDX-License-Identifier: GPL-3.0-or-later
#include "Flip.h"

#include <gtest/gtest.h>
#include <squish.h>

#include <vector>

#include "CountingRecord.h"
#include "DictionaryReader.h"
#include "TestSupport.h"

namespace {

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
    const int flags = kind == compression::kDxt1   ? squish::kDxt1
                      : kind == compression::kDxt3 ? squish::kDxt3
                                                   : squish::kDxt5;
    TextureRecord record = CountingRecord(width, height, 16, 0, kind);
    record.pixelSize = static_cast<std::uint32_t>(
        squish::GetStorageRequirements(static_cast<int>(width), static_cast<int>(height), flags));
    record.pixels.resize(record.pixelSize);
    squish::CompressImage(rgba.data(), static_cast<int>(width), static_cast<int>(height),
                          record.pixels.data(), flags);
    return record;
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
            records.push_back(EncodedPicture(width, height, kind));
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

}  // namespace
