// SPDX-License-Identifier: GPL-3.0-or-later
// Export through the image libraries: products, names and failures.
#include "exchange/Export.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "edits/TextureName.h"
#include "exchange/ImportDialog.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/spy/SpyControl.h"
#include "tests/support/TestSupport.h"

namespace tinplate {

namespace {

using ::testing::StartsWith;
using ::testing::ThrowsMessage;

using Names = std::vector<std::string>;

// Any alpha word but 0 counts as alpha: files store 2 and larger values too.
TEST(Export, TrueColourDdsKeepsAlphaWheneverTheAlphaWordIsNotZero) {
    for (std::uint32_t hasAlpha : {0u, 1u, 2u, 65537u}) {
        ScratchDir dir;
        const auto glass = PatternEntry("glass", 16, 8, 32, 0, 0x0500, 256, hasAlpha);
        GfxBinding gfx;
        ASSERT_EQ(ExportTexture("", glass.name, glass.record, gfx), ExportOutcome::Exported);
        EXPECT_EQ(dir.Files(), Names{"glass.dds"});
        // 11 gives an alpha mask (A8R8G8B8), 10 none (X8R8G8B8): other programs read that
        // as opaque, and every picture top row first.
        EXPECT_EQ(ReadLe32(ReadBytes("glass.dds"), 104), hasAlpha != 0 ? 0xFF000000u : 0u);
        auto expected = BgraToRgba(FlipRows(glass.record.pixels, 16 * 4));
        for (std::size_t i = 3; hasAlpha == 0 && i < expected.size(); i += 4) {
            expected[i] = 0xFF;
        }
        EXPECT_EQ(MagickRgba("glass.dds"), expected);
    }
}

TEST(Export, UnsafeNamesAndKindsWithoutImageFileTouchNothing) {
    for (const std::string name : {"", ".", "..", "a/b", "..\\up", "bell\a"}) {
        EXPECT_FALSE(IsSafeFileName(name)) << name;
    }
    EXPECT_TRUE(IsSafeFileName("...wall \xC3\xA4"));
    ScratchDir dir;
    std::filesystem::create_directory("sub");
    GfxBinding gfx;
    for (const auto& [depth, compression] : {std::pair{8, 0}, {32, 0}, {16, 12}}) {
        const auto record = PatternEntry("x", 16, 16, depth, compression, 0x0500).record;
        for (const std::string name : {"../x", "sub/x", ".."}) {
            EXPECT_THROW(ExportTexture("", name, record, gfx), FileError) << name;
        }
    }
    const auto rgb565 = PatternEntry("x", 16, 16, 16, 0, 0x0100).record;
    EXPECT_EQ(ExportTexture("", "../x", rgb565, gfx), ExportOutcome::NotExportable);
    EXPECT_EQ(ExportFileName("x", rgb565), std::nullopt);
    EXPECT_EQ(ImportDialogFor("x", rgb565), std::nullopt);
    EXPECT_EQ(dir.Files(), Names{"sub"});
    EXPECT_TRUE(std::filesystem::is_empty("sub"));
}

// "File Exported" only for a fresh product: a missing one is an error, and an earlier one
// neither passes for it nor is lost by it.
TEST(Export, ProductsAreReplacedAndMissingOnesAreErrors) {
    ScratchDir dir;
    auto wall = PatternEntry("wall", 16, 16, 8, 0, 0xA500);
    const auto glass = PatternEntry("glass", 16, 16, 32, 0, 0x0500);
    GfxBinding gfx;
    ExportTexture("", wall.name, wall.record, gfx);
    const auto first = ReadBytes("wall.tga");
    ExportTexture("", wall.name, Scrambled(wall.record), gfx);
    EXPECT_NE(ReadBytes("wall.tga"), first);
    ExportTexture("", glass.name, glass.record, gfx);
    const auto wallProduct = ReadBytes("wall.tga");
    const auto glassProduct = ReadBytes("glass.dds");

    GfxBinding missing("tinplate_no_such_module");
    EXPECT_THROW(ExportTexture("", wall.name, wall.record, missing), FileError);
    EXPECT_THAT([&] { ExportTexture("", glass.name, glass.record, missing); },
                ThrowsMessage<FileError>(StartsWith("glass.tga: the image library (_bmptoanys) "
                                                    "is not available")));
    spy::Reset();
    spy::MakeNoOutput("_bmptoanys", 1);
    GfxBinding silent(spy::kModuleName);
    EXPECT_THROW(ExportTexture("", wall.name, wall.record, silent), FileError);
    EXPECT_EQ(dir.Files(), (Names{"glass.dds", "wall.tga"}));
    EXPECT_EQ(ReadBytes("wall.tga"), wallProduct);
    EXPECT_EQ(ReadBytes("glass.dds"), glassProduct);
}

}  // namespace

}  // namespace tinplate
