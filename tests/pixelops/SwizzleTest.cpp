// SPDX-License-Identifier: GPL-3.0-or-later
#include "Swizzle.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "CountingRecord.h"
#include "DictionaryReader.h"
#include "TestSupport.h"

namespace {

// Sequence index of texel (x, y), built bit by bit: x and y alternate, x first, while both
// sides still have bits; the longer side's remaining bits follow.
std::uint32_t MortonIndex(std::uint32_t x, std::uint32_t y, std::uint32_t width,
                          std::uint32_t height) {
    std::uint32_t index = 0;
    std::uint32_t next = 0;
    for (std::uint32_t bit = 1; bit < width || bit < height; bit <<= 1) {
        if (bit < width) {
            index |= ((x & bit) ? 1u : 0u) << next++;
        }
        if (bit < height) {
            index |= ((y & bit) ? 1u : 0u) << next++;
        }
    }
    return index;
}

std::vector<std::uint8_t> ReferenceSwizzle(const TextureRecord& linear, std::uint32_t texel) {
    std::vector<std::uint8_t> out(linear.pixels.size());
    for (std::uint32_t y = 0; y < linear.height; ++y) {
        for (std::uint32_t x = 0; x < linear.width; ++x) {
            const std::size_t from = (std::size_t{y} * linear.width + x) * texel;
            const std::size_t to = MortonIndex(x, y, linear.width, linear.height) * texel;
            std::copy_n(linear.pixels.begin() + from, texel, out.begin() + to);
        }
    }
    return out;
}

TEST(SwizzleTexture, EveryPowerOfTwoShapeFollowsTheInterleaveRule) {
    std::mt19937 random(6);
    for (const int depth : {8, 32}) {
        const std::uint32_t texel = static_cast<std::uint32_t>(depth / 8);
        for (std::uint32_t width = 2; width <= 256; width *= 2) {
            for (std::uint32_t height = 2; height <= 256; height *= 2) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " depth " << depth);
                TextureRecord linear = CountingRecord(width, height, depth);
                for (auto& byte : linear.pixels) {
                    byte = static_cast<std::uint8_t>(random());
                }
                const std::vector<std::uint8_t> expected = ReferenceSwizzle(linear, texel);

                TextureRecord record = linear;
                ASSERT_TRUE(SwizzleTexture(record));
                ASSERT_EQ(record.pixels, expected);
                ASSERT_TRUE(UnswizzleTexture(record));
                ASSERT_EQ(record.pixels, linear.pixels);
            }
        }
    }
}

TEST(SwizzleTexture, SmallExamplesInBytes) {
    TextureRecord square = CountingRecord(4, 4, 8);
    ASSERT_TRUE(SwizzleTexture(square));
    EXPECT_EQ(square.pixels,
              (std::vector<std::uint8_t>{0, 1, 4, 5, 2, 3, 6, 7, 8, 9, 12, 13, 10, 11, 14, 15}));

    TextureRecord tall = CountingRecord(4, 8, 8);
    ASSERT_TRUE(SwizzleTexture(tall));
    EXPECT_EQ(std::vector(tall.pixels.begin(), tall.pixels.begin() + 4),
              (std::vector<std::uint8_t>{0, 1, 4, 5}));
    EXPECT_EQ(std::vector(tall.pixels.begin() + 16, tall.pixels.begin() + 20),
              (std::vector<std::uint8_t>{16, 17, 20, 21}));

    TextureRecord wide = CountingRecord(8, 4, 8);
    ASSERT_TRUE(SwizzleTexture(wide));
    EXPECT_EQ(std::vector(wide.pixels.begin(), wide.pixels.begin() + 8),
              (std::vector<std::uint8_t>{0, 1, 8, 9, 2, 3, 10, 11}));
    EXPECT_EQ(std::vector(wide.pixels.begin() + 16, wide.pixels.begin() + 20),
              (std::vector<std::uint8_t>{4, 5, 12, 13}));

    TextureRecord tiny = CountingRecord(2, 2, 8);
    ASSERT_TRUE(SwizzleTexture(tiny));
    EXPECT_EQ(tiny.pixels, (std::vector<std::uint8_t>{0, 1, 2, 3}));
}

// A 4 x 4 tile of 4-byte texels at column 4, row 2 of a 16-texel-wide image, stored from
// sequence index 5 on: offsets, pitch and position all count texels, and nothing outside
// the tile or its sequence range is touched.
TEST(SwizzleTile, CountsTexelsAndTouchesOnlyItsTile) {
    constexpr std::uint32_t kTexel = 4, kPitch = 16, kSide = 4, kStart = 2 * kPitch + 4;
    const TextureRecord image = CountingRecord(kPitch, 8, 32);
    std::vector<std::uint8_t> sequence((5 + kSide * kSide + 3) * kTexel, 0xEE);

    std::uint32_t position = 5;
    SwizzleTile(image.pixels.data(), sequence.data(), position, kStart, kSide, kPitch, kTexel);
    EXPECT_EQ(position, 5 + kSide * kSide);
    for (std::uint32_t i = 0; i < sequence.size() / kTexel; ++i) {
        for (std::uint32_t b = 0; b < kTexel; ++b) {
            std::uint8_t expected = 0xEE;
            if (i >= 5 && i < 5 + kSide * kSide) {
                const std::uint32_t m = i - 5;
                const std::uint32_t x = (m & 1) | ((m >> 1) & 2),
                                    y = ((m >> 1) & 1) | ((m >> 2) & 2);
                expected = image.pixels[(kStart + y * kPitch + x) * kTexel + b];
            }
            ASSERT_EQ(sequence[i * kTexel + b], expected) << "texel " << i;
        }
    }

    std::vector<std::uint8_t> back(image.pixels.size(), 0xEE);
    position = 5;
    UnswizzleTile(sequence.data(), back.data(), position, kStart, kSide, kPitch, kTexel);
    EXPECT_EQ(position, 5 + kSide * kSide);
    for (std::uint32_t t = 0; t < back.size() / kTexel; ++t) {
        const std::uint32_t x = t % kPitch, y = t / kPitch;
        const bool inTile = x >= 4 && x < 8 && y >= 2 && y < 6;
        for (std::uint32_t b = 0; b < kTexel; ++b) {
            ASSERT_EQ(back[t * kTexel + b], inTile ? image.pixels[t * kTexel + b] : 0xEE);
        }
    }
}

TEST(SwizzleTexture, RoundTripsEveryUncompressedKind) {
    struct Kind {
        int depth;
        int compression;
    };
    // 8-bit textures are one byte per texel whatever their compression word, as the reader
    // sizes them.
    for (const Kind kind : {Kind{8, 0}, Kind{16, 0}, Kind{24, 0}, Kind{32, 0}, Kind{8, 3}}) {
        for (const auto& [width, height] : {std::pair{64u, 16u}, {8u, 32u}, {32u, 32u}}) {
            SCOPED_TRACE(testing::Message() << width << "x" << height << " depth " << kind.depth);
            const std::uint32_t size = width * height * static_cast<std::uint32_t>(kind.depth / 8);
            const TextureRecord original =
                CountingRecord(width, height, kind.depth, size, kind.compression);
            TextureRecord record = original;
            ASSERT_TRUE(SwizzleTexture(record));
            EXPECT_NE(record.pixels, original.pixels);
            ASSERT_TRUE(UnswizzleTexture(record));
            EXPECT_EQ(record.pixels, original.pixels);
            ASSERT_TRUE(UnswizzleTexture(record));
            ASSERT_TRUE(SwizzleTexture(record));
            EXPECT_EQ(record.pixels, original.pixels);
        }
    }
}

TEST(SwizzleTexture, LeavesTexturesOutsideTheOrderAlone) {
    TextureRecord shortBuffer = CountingRecord(4, 4, 8);
    shortBuffer.pixels.resize(8);
    const std::vector<TextureRecord> records = {
        CountingRecord(6, 4, 8),           // side not a power of two
        CountingRecord(1, 4, 8),           // side below 2
        CountingRecord(0, 4, 8, 0),        // zero side
        CountingRecord(4, 4, 32, 16),      // size does not match the depth
        shortBuffer,                       // buffer shorter than its size word
        CountingRecord(8, 8, 16, 32, 12),  // block-compressed kinds
        CountingRecord(8, 8, 16, 64, 14),
        CountingRecord(8, 8, 8, 64, 15),  // size equals width x height, still blocks
        CountingRecord(4, 4, 4, 8),       // less than a byte per texel
        CountingRecord(4, 4, 0, 16),      // no depth
    };
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        TextureRecord record = records[i];
        EXPECT_FALSE(SwizzleTexture(record));
        EXPECT_FALSE(UnswizzleTexture(record));
        EXPECT_EQ(record.pixels, records[i].pixels);
        EXPECT_EQ(record.pixelSize, records[i].pixelSize);
    }
}

TEST(SwizzleTexture, ThirdPartyTexturesConvertToTheirOtherOrder) {
    struct Case {
        const char* file;
        std::size_t index;
        bool storedSwizzled;
        const char* otherOrderSha;
    };
    const Case cases[] = {
        {"mixed.txd", 0, true, "179f6189f827ef6cfa52276ac9b2c9609a7481be40e1b3cc6e0315d757834252"},
        {"mixed.txd", 1, true, "9cda88f843411e50d7d9aafdf31fe73a25f33796ba7a26810f1e7ad822f34a33"},
        {"mixed.txd", 3, true, "be6b189fc352d8f1761bf95d61901da6fbc359575e3f2dd0a5b199db5a264003"},
        {"mixed.txd", 5, true, "6e985161ec2653e2eb93ed5bec976313190cb8c7fc1cb8fba4673046e602d5cf"},
        {"mixed.txd", 2, false, "26d6b7fb7d5c4db1de97b3c5d616901148b12dbd9ba6a3c6c582bd3df82a1b73"},
        {"mixed.txd", 4, false, "6f0972e7cde9abe0909f512b24e5204dc9ee51f40e47b4ee2160e51648c9c009"},
    };
    for (const Case& c : cases) {
        TextureEntry entry = ReadDictionary(FixturePath(c.file)).at(c.index);
        SCOPED_TRACE(entry.name);
        const std::vector<std::uint8_t> stored = entry.record.pixels;
        ASSERT_TRUE(c.storedSwizzled ? UnswizzleTexture(entry.record)
                                     : SwizzleTexture(entry.record));
        EXPECT_EQ(Sha256Hex(entry.record.pixels), c.otherOrderSha);
        ASSERT_TRUE(c.storedSwizzled ? SwizzleTexture(entry.record)
                                     : UnswizzleTexture(entry.record));
        EXPECT_EQ(entry.record.pixels, stored);
    }
}

}  // namespace
