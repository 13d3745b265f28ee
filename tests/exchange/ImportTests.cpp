// SPDX-License-Identifier: GPL-3.0-or-later
// Import through the image libraries into every kind that takes one.
#include "exchange/Import.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "exchange/Export.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

std::vector<TextureEntry> EveryExchangeKind() {
    std::vector<TextureEntry> entries = {
        PatternEntry("odd_pal8_6x5", 6, 5, 8, 0, 0x2500),
        PatternEntry("single_pixel", 1, 1, 8, 0, 0x2500),
        PatternEntry("dxt5_32", 32, 32, 16, 15, 0x0300),
    };
    for (const char* file :
         {"pal8_mips.txd", "pal4.txd", "rgba32.txd", "dxt.txd", "mixed.txd", "pal4_mips.txd"}) {
        for (auto& entry : ReadDictionary(FixturePath(file))) {
            entries.push_back(std::move(entry));
        }
    }
    return entries;
}

TEST(Import, ExportThenImportGivesBackEveryByteOfEveryKind) {
    for (const auto& original : EveryExchangeKind()) {
        SCOPED_TRACE(original.name);
        ScratchDir dir;
        GfxBinding gfx;
        ASSERT_EQ(ExportTexture("", original.name, original.record, gfx), ExportOutcome::Exported);
        const auto product = ExportFileName(original.name, original.record).value();
        auto record = Scrambled(original.record);

        EXPECT_EQ(ImportTexture(record, product, gfx), IsBlockCompressed(record)
                                                           ? ImportOutcome::ImportedBlocks
                                                           : ImportOutcome::Imported);
        EXPECT_EQ(record.palette, original.record.palette);
        EXPECT_EQ(record.pixels, original.record.pixels);
        EXPECT_EQ(dir.Files(), std::vector<std::string>{product});
    }
}

// Another program rewrites the exported Targa its own way (run-length encoded, 24-bit colour
// map of the same length); every pixel must still come back as the same colour.
TEST(Import, ATargaRewrittenByAnotherProgramLandsCorrectly) {
    ScratchDir dir;
    const auto original = ReadDictionary(FixturePath("pal8_mips.txd")).at(1);  // 64 x 32
    GfxBinding gfx;
    ExportTexture("", original.name, original.record, gfx);
    ASSERT_EQ(std::system(("convert " + original.name + ".tga -compress RLE edited.tga").c_str()),
              0);
    auto record = Scrambled(original.record);

    ASSERT_EQ(ImportTexture(record, "edited.tga", gfx), ImportOutcome::Imported);

    const auto colourAt = [](const TextureRecord& r, std::size_t pixel) {
        const auto entry = r.palette.begin() + r.pixels[pixel] * 4;
        return std::vector<std::uint8_t>(entry, entry + 4);
    };
    for (std::size_t pixel = 0; pixel < original.record.pixelSize; ++pixel) {
        ASSERT_EQ(colourAt(record, pixel), colourAt(original.record, pixel)) << pixel;
    }
}

}  // namespace

}  // namespace tinplate
