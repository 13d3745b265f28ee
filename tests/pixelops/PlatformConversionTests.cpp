// SPDX-License-Identifier: GPL-3.0-or-later
// Converting the PC fixtures between platforms gives the other fixtures byte for byte, and
// block-compressed textures of any size convert.
#include <gtest/gtest.h>

#include "pixelops/PlatformConversion.h"
#include "pixelops/Swizzle.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"

namespace tinplate {

namespace {

std::vector<std::uint8_t> Pc(const std::string& file) {
    return ReadBytes(FixturePath("pc/" + file));
}

std::vector<std::uint8_t> Converted(const std::vector<std::uint8_t>& original, std::uint32_t target,
                                    std::optional<TexelOrder> order = std::nullopt) {
    const auto textures = ParseDictionary(original, "in.txd");
    return DictionaryBytes(original, ConvertedDictionary(textures, target, order), "out.txd");
}

// The first differing offset, so that a failure names the byte rather than dumping files.
std::size_t FirstDifference(const std::vector<std::uint8_t>& a,
                            const std::vector<std::uint8_t>& b) {
    const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return static_cast<std::size_t>(left - a.begin());
}

TEST(PlatformConversionTest, EachFixtureConvertsToItsCounterpartByteForByte) {
    struct Case {
        const char* from;
        std::uint32_t target;
        const char* to;
    };
    const Case cases[] = {
        {"p9_pal.txd", 5, "p5_pal.txd"}, {"p9_dxt.txd", 5, "p5_dxt.txd"},
        {"p5_pal.txd", 9, "p9_pal.txd"}, {"p5_dxt.txd", 9, "p9_dxt.txd"},
        {"p5_pal.txd", 8, "p8_pal.txd"}, {"p8_dxt.txd", 5, "p5_dxt.txd"},
        {"p8_pal.txd", 9, "p9_pal.txd"}, {"p9_pal.txd", 8, "p8_pal.txd"},
        {"p8_rgb.txd", 9, "p9_rgb.txd"}, {"p9_rgb.txd", 8, "p8_rgb.txd"},
        {"p8_dxt.txd", 9, "p9_dxt.txd"}, {"p9_dxt.txd", 8, "p8_dxt.txd"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.from) + " to " + std::to_string(c.target));
        const auto converted = Converted(Pc(c.from), c.target);
        const auto expected = Pc(c.to);
        EXPECT_EQ(FirstDifference(converted, expected), expected.size());
        EXPECT_EQ(converted.size(), expected.size());
    }
    // 16-bit and 32-bit textures have no platform 5 fixture: they go there and back unchanged.
    EXPECT_EQ(Converted(Converted(Pc("p9_rgb.txd"), 5), 9), Pc("p9_rgb.txd"));
}

// Unswizzle All leaves each texture's first level linear, and conversion reads it so (a file
// saved so is judged again on reading, where textures too small to tell count as swizzled).
TEST(PlatformConversionTest, EachTextureIsReadInItsOwnOrder) {
    auto textures = ParseDictionary(Pc("p5_pal.txd"), "in.txd");
    for (TextureEntry& texture : textures) {
        ASSERT_TRUE(UnswizzleTexture(texture.record));
    }
    const auto nine = ParseDictionary(Pc("p9_pal.txd"), "p9_pal.txd");
    const auto converted = ConvertedDictionary(textures, 9);
    const auto forced = ConvertedDictionary(textures, 9, TexelOrder::kSwizzled);
    ASSERT_EQ(converted.size(), nine.size());
    for (std::size_t i = 0; i < nine.size(); ++i) {
        SCOPED_TRACE(nine[i].name);
        EXPECT_EQ(converted[i].record.pixels, nine[i].record.pixels);
        EXPECT_EQ(converted[i].record.smallerLevels, nine[i].record.smallerLevels);
    }
    EXPECT_NE(forced[0].record.pixels, nine[0].record.pixels);
}

// Blocks are never swizzled: a block-compressed texture of any size converts.
TEST(PlatformConversionTest, BlocksOfAnySizeConvert) {
    const TextureEntry blocks = PatternEntry("blocks", 24, 8, 16, 12, 0x0200);
    const TextureRecord onEight = ConvertedToPlatform(blocks, 8);
    EXPECT_EQ(ConvertedToPlatform({"blocks", onEight}, 5).pixels, blocks.record.pixels);
}

}  // namespace

}  // namespace tinplate
