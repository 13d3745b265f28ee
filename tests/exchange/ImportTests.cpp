// SPDX-License-Identifier: GPL-3.0-or-later
#include "Import.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "ExchangeTestSupport.h"
#include "Export.h"
#include "FileError.h"
#include "ImportDialog.h"

namespace {

std::vector<TextureEntry> EveryExchangeKind() {
    std::vector<TextureEntry> entries = {
        PatternEntry("odd_pal8_6x5", 6, 5, 8, 0, 0x2500),
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
        ASSERT_EQ(ExportTexture(original.name, original.record, gfx), ExportOutcome::Exported);
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

TEST(Import, TheDialogFollowsTheKind) {
    const auto targa = ImportDialogFor("wall", PatternEntry("w", 8, 8, 8, 0, 0xA500).record);
    ASSERT_TRUE(targa);
    EXPECT_EQ(targa->filter, "TGA File (*.tga)|*tga|All Files (*.*)|*.*||");
    EXPECT_EQ(targa->initialName, "wall.tga");
    for (const auto& [depth, compression] : {std::pair{32, 0}, {16, 12}, {16, 14}, {16, 15}}) {
        const auto dds =
            ImportDialogFor("wall", PatternEntry("w", 8, 8, depth, compression, 0x0500).record);
        ASSERT_TRUE(dds);
        EXPECT_EQ(dds->filter, "DDS File (*.dds)|*dds|All Files (*.*)|*.*||");
        EXPECT_EQ(dds->initialName, "wall.dds");
    }
    EXPECT_THROW(ImportDialogFor("a/b", PatternEntry("w", 8, 8, 32, 0, 0x0500).record), FileError);
    auto rgb565 = PatternEntry("w", 8, 8, 16, 0, 0x0100).record;
    EXPECT_EQ(ImportDialogFor("wall", rgb565), std::nullopt);
    GfxBinding gfx;
    EXPECT_EQ(ImportTexture(rgb565, "wall.tga", gfx), ImportOutcome::Declined);
}

// The window changes to the chosen file's folder and passes the bare name.
TEST(Import, AChosenFileInAnotherFolderIsFoundByItsBareName) {
    ScratchDir dir;
    std::filesystem::create_directory("pictures");
    const auto original = PatternEntry("wall", 32, 32, 32, 0, 0x0500);
    auto record = Scrambled(original.record);
    GfxBinding gfx;
    std::filesystem::current_path("pictures");
    ExportTexture(original.name, original.record, gfx);

    EXPECT_EQ(ImportTexture(record, "wall.dds", gfx), ImportOutcome::Imported);
    std::filesystem::current_path(dir.path());

    EXPECT_EQ(record.pixels, original.record.pixels);
    EXPECT_EQ(dir.Files(), std::vector<std::string>{"pictures"});
}

// Another program rewrites the exported Targa its own way (run-length encoded, 24-bit colour
// map of the same length); every pixel must still come back as the same colour.
TEST(Import, ATargaRewrittenByAnotherProgramLandsCorrectly) {
    if (!HasImageMagick()) {
        GTEST_SKIP() << "ImageMagick's convert is not installed";
    }
    ScratchDir dir;
    const auto original = ReadDictionary(FixturePath("pal8_mips.txd")).at(1);  // 64 x 32
    GfxBinding gfx;
    ExportTexture(original.name, original.record, gfx);
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
