// SPDX-License-Identifier: GPL-3.0-or-later
// The one decision of what a header makes of a texture, contradictory headers included.
#include <gtest/gtest.h>

#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

TEST(KindTable, HeaderFieldsNameOneKindAndItsSizes) {
    struct Case {
        std::int16_t depth;
        std::int32_t compression;
        std::uint32_t formatWord;
        std::string_view word;
        std::uint64_t paletteBytes, pixelBytes;  // of an 8 x 8 texture
    };
    const Case cases[] = {
        {8, 0, 0x2500, "pal8", 1024, 64},
        {8, 0, 0x4500, "pal8-32", 128, 64},
        {8, 12, 0x2500, "pal8", 1024, 64},  // depth 8 is indexed whatever the code says
        {8, 0, 0, "pal8", 1024, 64},        // no palette bits: the old thresholds decide
        {8, 0, 20000, "pal8-32", 128, 64},
        {8, 0, 40000, "unknown", 0, 0},  // on a threshold, no palette bits: no rule
        {32, 0, 0x0500, "rgba32", 0, 256},
        {24, 0, 0x0600, "rgb24", 0, 192},
        {16, 0, 0x0300, "rgb16", 0, 128},
        {16, 12, 0x0200, "dxt1", 0, 32},
        {16, 14, 0x0300, "dxt3", 0, 64},
        {32, 15, 0x0500, "dxt5", 0, 64},  // block kinds take any depth but 8
        {0, 12, 0x0200, "unknown", 0, 0},
        {16, 13, 0x0200, "unknown", 0, 0},
        {12, 0, 0, "unknown", 0, 64},  // sized, but no picture is made of it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.depth << " " << c.compression << " " << c.formatWord);
        const TextureKind kind = KindOfHeader(c.depth, c.compression, c.formatWord);
        EXPECT_EQ(KindWord(kind), c.word);
        const TextureSizes sizes = SizesForHeader(c.depth, c.compression, 8, 8, c.formatWord);
        EXPECT_EQ(sizes.paletteSize, c.paletteBytes);
        EXPECT_EQ(sizes.pixelSize, c.pixelBytes);
        EXPECT_EQ(HasPicture(kind), c.word != "unknown");
    }
}

TEST(KindTable, MadeTexturesReadBackAsTheirKind) {
    for (const KindFacts& facts : MakeableKinds()) {
        SCOPED_TRACE(facts.word);
        EXPECT_EQ(KindFromWord(facts.word), facts.kind);
        EXPECT_EQ(KindOfHeader(facts.depth, facts.compression, facts.opaqueFormat), facts.kind);
        EXPECT_EQ(KindOfHeader(facts.depth, facts.compression, facts.translucentFormat),
                  facts.kind);
    }
    EXPECT_FALSE(KindFromWord("rgb16"));
}

}  // namespace

}  // namespace tinplate
