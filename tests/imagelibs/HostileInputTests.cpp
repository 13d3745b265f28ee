// SPDX-License-Identifier: GPL-3.0-or-later
// The image libraries' readers on damaged and lying files.
#include <gtest/gtest.h>

#include <functional>

#include "fileio/ByteOrder.h"
#include "tests/imagelibs/ImageFiles.h"
#include "tests/support/TestSupport.h"

namespace tinplate {

namespace {

enum class Format { kBitmap, kTarga, kDds };

// Feeds `file` to every entry point that reads its format: each must fail and leave nothing
// but the input behind.
void ExpectRejectedEverywhere(Format format, const Bytes& file) {
    ScratchDir scratch;
    WriteBytes("in", file);
    ImageLibraries libraries;
    switch (format) {
        case Format::kBitmap:
            EXPECT_EQ(libraries.BmpToAnys("in", "out"), 0);
            libraries.BmpResize("in", "out", 8, 8);
            libraries.BmpResize("in", "in", 8, 8);
            EXPECT_EQ(ReadBytes("in"), file) << "a failed in-place resize keeps its source";
            break;
        case Format::kTarga:
            EXPECT_EQ(libraries.TargaToExtendedBitmap("in", "out"), 0);
            EXPECT_NE(libraries.TgaToDds("in", 11, "out"), 0);
            EXPECT_NE(libraries.TgaCompressBmp("in", "out"), 0);
            break;
        case Format::kDds:
            EXPECT_EQ(libraries.AnyToBmps("in", "out"), 0);
            EXPECT_NE(libraries.TargaFromDds("out", "in"), 0);
            break;
    }
    EXPECT_EQ(scratch.Files(), std::vector<std::string>{"in"});
}

void ExpectEveryTruncationRejected(Format format, const Bytes& file) {
    for (std::size_t length = 0; length < file.size(); ++length) {
        SCOPED_TRACE(length);
        ExpectRejectedEverywhere(format, Bytes(file.begin(), file.begin() + length));
    }
}

Bytes IndexedBitmap() {
    return WorkingBitmap(4, 3, 8, PatternBytes(128, 1), PatternBytes(12, 2));
}
Bytes TrueColourBitmap() {
    return WorkingBitmap(4, 3, 32, {}, PatternBytes(48, 3));
}

Bytes DxtDds() {
    return BlockDds(8, 8, 12, PatternBytes(32, 6));
}

TEST(HostileInput, TruncatedFilesAreRejectedWithoutOutput) {
    ExpectEveryTruncationRejected(Format::kBitmap, IndexedBitmap());
    ExpectEveryTruncationRejected(Format::kBitmap, TrueColourBitmap());
    ExpectEveryTruncationRejected(Format::kDds, DxtDds());
    for (const auto& [type, pixelBits, entryBits] :
         {std::tuple{1, 8, 24}, {1, 8, 32}, {9, 8, 24}, {9, 8, 32}, {2, 32, 0}, {10, 32, 0}}) {
        SCOPED_TRACE(testing::Message() << "type " << type << " map " << entryBits);
        ExpectEveryTruncationRejected(Format::kTarga, SmallTarga(type, pixelBits, entryBits));
    }

    ScratchDir scratch;
    ImageLibraries libraries;
    WriteBytes("tex.bmp", TrueColourBitmap());
    ASSERT_NE(libraries.BmpToAnys("tex.bmp", "tex"), 0);
    ASSERT_EQ(libraries.TgaToDds("tex.tga", 11, "tex.dds"), 0);
    ExpectEveryTruncationRejected(Format::kDds, ReadBytes("tex.dds"));
}

Bytes Patched(Bytes file, const std::function<void(Bytes&)>& patch) {
    patch(file);
    return file;
}

TEST(HostileInput, LyingHeadersAreRejectedWithoutOutput) {
    for (const Bytes& bitmap : {
             Patched(TrueColourBitmap(), [](Bytes& b) { WriteLe32(b, 10, b.size() + 1); }),
             Patched(TrueColourBitmap(), [](Bytes& b) { WriteLe32(b, 10, 40); }),  // in the header
             Patched(TrueColourBitmap(), [](Bytes& b) { b[19] = b[23] = 1; }),     // sides of 16 M
             Patched(TrueColourBitmap(), [](Bytes& b) { WriteLe32(b, 22, -3); }),
             // A side of 0 and 64 M rows: refused before any row is visited.
             Patched(TrueColourBitmap(),
                     [](Bytes& b) { WriteLe32(b, 18, 0), WriteLe32(b, 22, 1 << 26); }),
             Patched(IndexedBitmap(), [](Bytes& b) { WriteLe32(b, 10, 180); }),  // 31.5 colours
         }) {
        ExpectRejectedEverywhere(Format::kBitmap, bitmap);
    }
    for (const Bytes& dds : {
             Patched(DxtDds(), [](Bytes& b) { b[14] = b[18] = 1; }),  // 65544², 17 GB decoded
             Patched(DxtDds(), [](Bytes& b) { WriteLe32(b, 12, 0x7FFFFFFF); }),  // blocks not held
             Patched(DxtDds(), [](Bytes& b) { b[87] = '2'; }),                   // DXT2 is not read
             Patched(DxtDds(), [](Bytes& b) { WriteLe32(b, 16, 0); }),           // a side of 0
             Patched(DxtDds(), [](Bytes& b) { b[0] = 'X'; }),
         }) {
        ExpectRejectedEverywhere(Format::kDds, dds);
    }
    for (const Bytes& targa : {
             Patched(SmallTarga(1, 8, 32), [](Bytes& b) { b[5] = b[6] = 0xFF; }),  // 65535 entries
             Patched(SmallTarga(2, 32, 0), [](Bytes& b) { std::fill_n(&b[12], 4, 0xFF); }),
             // A run of six pixels, then a run of four: ten in an image of eight.
             Patched(SmallTarga(10, 32, 0), [](Bytes& b) { b[18] = 0x85, b[23] = 0x83; }),
             Patched(SmallTarga(1, 8, 32), [](Bytes& b) { b[7] = 16; }),  // 16-bit map entries
         }) {
        ExpectRejectedEverywhere(Format::kTarga, targa);
    }
}

TEST(HostileInput, MissingFilesUnwritableOutputsAndUnsupportedInputsFail) {
    ScratchDir scratch;
    ImageLibraries libraries;
    EXPECT_EQ(libraries.AnyToBmps("absent.dds", "out.bmp"), 0);
    EXPECT_NE(libraries.TgaCompressBmp("absent.tga", "out.bmp"), 0);
    WriteBytes("tex.bmp", TrueColourBitmap());
    EXPECT_EQ(libraries.BmpToAnys("tex.bmp", "no-such-folder/tex"), 0);
    WriteBytes("true.tga", SmallTarga(2, 32, 0));
    EXPECT_EQ(libraries.TargaToExtendedBitmap("true.tga", "out.bmp"), 0);
    EXPECT_NE(libraries.TgaToDds("true.tga", 12, "out.dds"), 0);
    Bytes mirrored = SmallTarga(1, 8, 32);
    mirrored[17] |= 0x10;  // right-to-left rows
    WriteBytes("mirrored.tga", mirrored);
    EXPECT_EQ(libraries.TargaToExtendedBitmap("mirrored.tga", "out.bmp"), 0);
    WriteBytes("grey.bmp", WorkingBitmap(2, 2, 24, {}, PatternBytes(12, 1)));
    EXPECT_EQ(libraries.BmpToAnys("grey.bmp", "out"), 0);
    EXPECT_EQ(scratch.Files(),
              (std::vector<std::string>{"grey.bmp", "mirrored.tga", "tex.bmp", "true.tga"}));
}

}  // namespace

}  // namespace tinplate
