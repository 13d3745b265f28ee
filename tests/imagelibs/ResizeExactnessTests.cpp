// SPDX-License-Identifier: GPL-3.0-or-later
// The area filter's results, pixel for pixel.
#include <gtest/gtest.h>

#include "tests/imagelibs/ImageFiles.h"
#include "tests/support/TestSupport.h"

namespace tinplate {

namespace {

// Resized bitmaps are pinned byte for byte: the level chains Save writes depend on every
// rounding and on which palette entry wins a tie. The cases cross every shape of the work:
// exact halvings down to 1 x 1, the largest factors, uneven factors, enlarging, colour tables
// with repeated entries (ties) and indices past a short table.
struct ResizeCase {
    std::uint32_t width, height;
    int bitsPerPixel;
    std::size_t tableEntries;
    bool coarseTable;  // channels from four levels only: many equally near entries
    std::uint32_t targetWidth, targetHeight;
    const char* sha256;
};

Bytes Table(std::size_t entries, bool coarse) {
    Bytes table = PatternBytes(entries * 4, 11);
    if (coarse) {
        for (auto& channel : table) {
            channel = static_cast<std::uint8_t>((channel >> 6) * 85);
        }
    }
    return table;
}

TEST(BmpResize, ResultsArePinnedByteForByte) {
    const ResizeCase cases[] = {
        {64, 64, 8, 256, true, 32, 32,
         "50c7cb93702211e007a50665752bc6306ca690de786600f79ab5ade35e36f8cf"},
        {64, 64, 8, 256, true, 8, 8,
         "7170db5345b8fb62af593b3f138ee67068de5be501bab51de547b19de295d71e"},
        {64, 64, 8, 256, false, 1, 1,
         "832fdca387018010c81fa3c729fad2a8477246b466a542673255a8846eaf68a3"},
        {1024, 1024, 8, 256, false, 512, 512,
         "50ba027fb0acca857660110f41c0c60a9cd8dfb6899817061afe3ade9a047b88"},
        {1024, 1024, 8, 256, false, 4, 4,
         "8b00c000d44283507154b4a3788c3e3d19bd14bafaf51a225349883de71ea07d"},
        {1024, 1024, 8, 256, false, 2, 2,
         "63d39cf6cce2771f67554c1a602cceed80ea2f7a5ca3010c76a18868dc5a0e79"},
        {2048, 16, 8, 256, true, 8, 1,
         "f24cedb4cfa922e199c1fe054a8ff591cb712926fd974d8fa272a6a784598b67"},
        {2048, 8, 8, 256, false, 1, 1,
         "832fdca387018010c81fa3c729fad2a8477246b466a542673255a8846eaf68a3"},
        {40, 24, 8, 32, false, 5, 3,
         "51b2248f080e4b486691d44b26fe8e4511385de201b6a09f628c0f52c0007434"},
        {40, 24, 8, 32, true, 7, 5,
         "64bc7e54656c8494f7720bdd36cd686551514497c27872b49ba117863b979fb7"},
        {5, 3, 8, 256, false, 8, 8,
         "aa7b4b343322e8ee8eaab59c29394ecfd634e36a1e52f18c86da05eaeb784994"},
        {64, 64, 32, 0, false, 16, 16,
         "8d4adb96d66a9475580bb2fcdd47fe14be9225e6275d7cebd7bd9d280dc310df"},
        {512, 512, 32, 0, false, 256, 256,
         "0e509b9c4e8ac5856e1cc593296b1aec74334aa3b9c2359aa8fa1cb1c4593826"},
        {300, 200, 32, 0, false, 256, 256,
         "1793d373a36b4a4dcb7fdbfc27ce36280cd7f5441d1192c29ad382d527465fef"},
    };
    ScratchDir scratch;
    for (const ResizeCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) + " at " +
                     std::to_string(c.bitsPerPixel) + " bits to " + std::to_string(c.targetWidth) +
                     " x " + std::to_string(c.targetHeight));
        const Bytes pixels =
            PatternBytes(std::size_t{c.width} * c.height * c.bitsPerPixel / 8, c.width + c.height);
        WriteBytes("in.bmp", WorkingBitmap(c.width, c.height, c.bitsPerPixel,
                                           Table(c.tableEntries, c.coarseTable), pixels));
        ImageLibraries().BmpResize("in.bmp", "out.bmp", c.targetWidth, c.targetHeight);
        EXPECT_EQ(Sha256Hex(ReadBytes("out.bmp")), c.sha256);
    }
}

}  // namespace

}  // namespace tinplate
