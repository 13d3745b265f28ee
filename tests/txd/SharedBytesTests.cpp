// SPDX-License-Identifier: GPL-3.0-or-later
// Records sharing the file's bytes until they are edited.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>

#include "fileio/FileIo.h"
#include "fileio/MappedFile.h"
#include "pixelops/Flip.h"
#include "pixelops/Swizzle.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

// Records read from a file share its bytes until an edit: every way of changing a record must
// leave every other record, copies of it included, with the file's bytes.
TEST(SharedBytesTest, AnEditChangesOnlyTheRecordEdited) {
    ScratchDir scratch;
    const auto file =
        WriteDictionary("shared.txd", {MakePatternTexture("rgba", 8, 8, 32, 0, 1, 0x0500),
                                       MakePatternTexture("pal8", 8, 8, 8, 0, 1, 0x2500)});
    const std::vector<std::pair<const char*, std::function<void(TextureRecord&)>>> edits = {
        {"index", [](TextureRecord& r) { r.pixels[3] ^= 0xFF; }},
        {"data", [](TextureRecord& r) { r.palette.data()[0] ^= 0xFF; }},
        {"range", [](TextureRecord& r) { *(r.pixels.end() - 1) ^= 0xFF; }},
        {"flip", [](TextureRecord& r) { ASSERT_TRUE(FlipTexture(r)); }},
        {"swizzle", [](TextureRecord& r) { ASSERT_TRUE(SwizzleTexture(r)); }},
    };
    for (const auto& [name, edit] : edits) {
        SCOPED_TRACE(name);
        const std::vector<TextureEntry> read = ReadDictionary("shared.txd");
        std::vector<TextureEntry> copies = read;
        TextureRecord& edited = copies[1].record;
        edit(edited);
        TextureRecord copyOfEdited = edited;
        copyOfEdited.pixels[0] ^= 0x55;
        copyOfEdited.palette[0] ^= 0x55;

        EXPECT_TRUE(edited.pixels != read[1].record.pixels ||
                    edited.palette != read[1].record.palette);
        EXPECT_NE(copyOfEdited.pixels, edited.pixels);
        EXPECT_NE(copyOfEdited.palette, edited.palette);
        const std::vector<TextureEntry>* lists[] = {&read, &copies};
        for (const auto* records : lists) {
            for (std::size_t i = 0; i < 2; ++i) {
                const TextureRecord& r = (*records)[i].record;
                if (&r == &edited) {
                    continue;
                }
                const auto at = file.begin() + r.paletteOffset;
                EXPECT_EQ(r.palette, std::vector<std::uint8_t>(at, at + r.paletteSize)) << i;
                EXPECT_EQ(r.pixels, std::vector<std::uint8_t>(at + r.paletteSize,
                                                              at + r.paletteSize + r.pixelSize))
                    << i;
            }
        }
    }
}

// Buffers of every size class (the heap, a mapping of their own, huge pages) keep their bytes
// through copies, moves, swaps and resizes, and give their memory back as they took it.
TEST(SharedBytesTest, OwnedBytesOfEverySizeSurviveCopiesMovesAndResizes) {
    for (const std::size_t size : {std::size_t{1}, std::size_t{300} << 10, std::size_t{5} << 20}) {
        SCOPED_TRACE(size);
        std::vector<std::uint8_t> pattern(size);
        for (std::size_t i = 0; i < size; ++i) {
            pattern[i] = static_cast<std::uint8_t>(i * 7 + i / 4096);
        }
        ByteBuffer original = ByteBuffer::Copy(pattern);
        ByteBuffer copy = original;
        copy[size - 1] ^= 0xFF;
        EXPECT_EQ(original, pattern);
        ByteBuffer moved = std::move(copy);
        std::swap(moved, original);
        EXPECT_EQ(moved, pattern);
        moved.resize(size * 2);
        EXPECT_TRUE(std::equal(pattern.begin(), pattern.end(), moved.begin()));
        EXPECT_EQ(moved[size * 2 - 1], 0);
        moved.resize(1);
        EXPECT_EQ(moved[0], pattern[0]);
    }
}

// A large file held open keeps the bytes it was read with through this program's own writes
// into it, and reads zeros, not a fault, where another program cut it short.
TEST(SharedBytesTest, AHeldMappingOutlivesWritesAndCuts) {
    ScratchDir scratch;
    const std::uint8_t nine = 9;
    const std::vector<std::pair<std::function<void()>, bool>> changes = {
        {[&] {
             InPlaceFile file("held");
             file.WriteAt(kHeldMappedFrom - 1, {&nine, 1});
             file.Close();
         },
         true},
        {[&] {
             WriteNewFile("held", {{&nine, 1}});
         },
         true},
        {[] { std::filesystem::resize_file("held", 0); }, false},
    };
    for (const auto& [change, intact] : changes) {
        WriteBytes("held", std::vector<std::uint8_t>(kHeldMappedFrom, 7));
        const auto held = MappedFile::Open("held", Residence::Held);
        change();
        EXPECT_EQ(held->bytes().back(), intact ? 7 : 0);
        EXPECT_EQ(held->Intact(), intact);
    }
}

}  // namespace

}  // namespace tinplate
