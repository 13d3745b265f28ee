// SPDX-License-Identifier: GPL-3.0-or-later
// Records sharing the file's bytes until they are edited.
#include <gtest/gtest.h>

#include <functional>

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

}  // namespace

}  // namespace tinplate
