// SPDX-License-Identifier: GPL-3.0-or-later
// DXT pictures become bitmaps band by band: every row must land once, in its place, also where
// a band or the picture ends inside a block row.
#include <gtest/gtest.h>

#include "tests/imagelibs/ImageFiles.h"
#include "tests/support/TestSupport.h"

namespace tinplate {

namespace {

TEST(DxtToBitmap, EveryRowOfEveryBandMatchesLibsquish) {
    struct Case {
        std::uint32_t width, height;
    };
    // 8 × 8198: about four bands, the last one partial and ending inside a block row.
    const Case cases[] = {{1, 1}, {6, 5}, {8, 8198}, {2050, 13}, {3, 1031}};
    for (const std::int32_t compression : {12, 14, 15}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << compression << " " << c.width << "x" << c.height);
            ScratchDir scratch;
            const std::size_t blocks = (c.width + 3) / 4 * ((c.height + 3) / 4);
            const Bytes data = PatternBytes(blocks * (compression == 12 ? 8 : 16), c.height);
            WriteBytes("Temp.dds", BlockDds(c.width, c.height, compression, data));
            ASSERT_EQ(ImageLibraries().AnyToBmps("Temp.dds", "Temp.bmp"), 1);

            // The swap of R and B goes both ways.
            const Bytes expected = BgraToRgba(FlipRows(
                DecodeBlocks(compression, c.width, c.height, data), std::size_t{c.width} * 4));
            const Bitmap bitmap = ReadBitmapFile("Temp.bmp");
            EXPECT_EQ(bitmap.width, c.width);
            EXPECT_EQ(bitmap.height, c.height);
            EXPECT_EQ(bitmap.pixels, expected);
        }
    }
}

}  // namespace

}  // namespace tinplate
