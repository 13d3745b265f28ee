// SPDX-License-Identifier: GPL-3.0-or-later
// Swizzle and unswizzle of every level, against the Morton order.
#include "pixelops/Swizzle.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "tests/pixelops/CountingRecord.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

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

// 8-bit textures are one byte per texel whatever their compression word, as the reader sizes
// them; every other kind counts depth / 8 bytes a texel.
TEST(SwizzleTexture, EveryPowerOfTwoShapeFollowsTheInterleaveRuleAndComesBack) {
    std::mt19937 random(6);
    for (const auto& [depth, compression] : {std::pair{8, 0}, {16, 0}, {24, 0}, {32, 0}, {8, 3}}) {
        const std::uint32_t texel = static_cast<std::uint32_t>(depth / 8);
        for (std::uint32_t width = 2; width <= 256; width *= 2) {
            for (std::uint32_t height = 2; height <= 256; height *= 2) {
                SCOPED_TRACE(testing::Message() << width << "x" << height << " depth " << depth);
                TextureRecord linear =
                    CountingRecord(width, height, depth, width * height * texel, compression);
                for (auto& byte : linear.pixels) {
                    byte = static_cast<std::uint8_t>(random());
                }
                TextureRecord record = linear;
                ASSERT_TRUE(SwizzleTexture(record));
                ASSERT_EQ(record.pixels, ReferenceSwizzle(linear, texel));
                ASSERT_TRUE(UnswizzleTexture(record));
                ASSERT_EQ(record.pixels, linear.pixels);
            }
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
    for (const FixtureRow& t : FixtureTable("textures.tsv")) {
        const std::string& order = t.at("order");
        if (order == "-") {
            continue;
        }
        SCOPED_TRACE(t.at("name"));
        TextureEntry entry =
            ReadDictionary(FixturePath(t.at("file"))).at(std::stoul(t.at("index")));
        const std::vector<std::uint8_t> stored = entry.record.pixels;
        const bool swizzled = order == "swizzled";
        ASSERT_TRUE(swizzled ? UnswizzleTexture(entry.record) : SwizzleTexture(entry.record));
        EXPECT_EQ(Sha256Hex(entry.record.pixels), t.at("otherOrderSha256"));
        ASSERT_TRUE(swizzled ? SwizzleTexture(entry.record) : UnswizzleTexture(entry.record));
        EXPECT_EQ(entry.record.pixels, stored);
    }
}

}  // namespace

}  // namespace tinplate
