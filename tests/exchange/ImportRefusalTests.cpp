// SPDX-License-Identifier: GPL-3.0-or-later
// Imports refused: files that do not fit the texture, and libraries that fail.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/Export.h"
#include "exchange/Import.h"
#include "fileio/FileError.h"
#include "tests/spy/SpyControl.h"
#include "tests/support/ImageLibraries.h"
#include "tests/support/TestSupport.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

// Every case imports into a texture that must come out unchanged, with no working file left.
class ImportRefusal : public testing::Test {
protected:
    void SetUp() override { spy::Reset(); }

    // Exports `source`; its product is the file a user would choose.
    static std::string Exported(const TextureEntry& source) {
        GfxBinding gfx;
        ExportTexture("", source.name, source.record, gfx);
        return ExportFileName(source.name, source.record).value();
    }

    // An empty `reasonPart` expects the quiet end of a library's failure instead of an error.
    void Expect(const TextureEntry& target, const std::string& chosen,
                const std::string& reasonPart, GfxBinding&& gfx = GfxBinding()) {
        auto record = target.record;
        try {
            EXPECT_EQ(ImportTexture(record, chosen, gfx), ImportOutcome::Declined);
            EXPECT_EQ(reasonPart, "") << "no error for " << chosen;
        } catch (const FileError& error) {
            EXPECT_EQ(error.fileName(), chosen);
            EXPECT_NE(reasonPart, "");
            EXPECT_NE(error.reason().find(reasonPart), std::string::npos) << error.reason();
        }
        EXPECT_EQ(record.palette, target.record.palette);
        EXPECT_EQ(record.pixels, target.record.pixels);
        EXPECT_FALSE(std::filesystem::exists(WorkingPath("ImportFile.bmp")));
        EXPECT_FALSE(std::filesystem::exists(WorkingPath("ImportFile.tga")));
    }

    ScratchDir m_dir;
};

TEST_F(ImportRefusal, DdsOfAnotherSizeKindOrLength) {
    const auto dxt1 = PatternEntry("dxt1_32", 32, 32, 16, 12, 0x0200);
    Expect(dxt1, Exported(PatternEntry("dxt1_64", 64, 32, 16, 12, 0x0200)),
           "the image is 64 x 32, the texture 32 x 32");
    Expect(PatternEntry("dxt5_32", 32, 32, 16, 15, 0x0300),
           Exported(PatternEntry("dxt3_32", 32, 32, 16, 14, 0x0300)),
           "it holds DXT3 data, the texture DXT5 blocks");
    const auto full = ReadBytes(Exported(dxt1));
    WriteBytes("short.dds", std::span(full).first(full.size() - 1));
    Expect(dxt1, "short.dds", "it holds 511 bytes of blocks, the texture 512");
    WriteBytes("header.dds", std::span(full).first(100));
    Expect(dxt1, "header.dds", "ends inside its DDS header");
    Expect(dxt1, Exported(PatternEntry("pal", 32, 32, 8, 0, 0xA500)), "not a DDS file");
}

TEST_F(ImportRefusal, ImageOfAnotherSizeOrColourMap) {
    const auto pal256 = PatternEntry("pal256", 16, 16, 8, 0, 0xA500);
    Expect(pal256, Exported(PatternEntry("wide", 32, 16, 8, 0, 0xA500)),
           "the image is 32 x 16, the texture 16 x 16");
    Expect(pal256, Exported(PatternEntry("pal32", 16, 16, 8, 0, 0x4500, 32)),
           "colour map of 32 entries, the texture's palette 256");
    Expect(PatternEntry("rgba", 16, 16, 32, 0, 0x0500),
           Exported(PatternEntry("rgba_16x8", 16, 8, 32, 0, 0x0500)),
           "the image is 16 x 8, the texture 16 x 16");
}

// Success claimed without the file, or a file cut short: never taken, and a file left by an
// earlier conversion cannot stand in for the missing one.
TEST_F(ImportRefusal, LibraryProductsMissingOrShortAndLibraryFailures) {
    const auto pal = PatternEntry("pal", 16, 16, 8, 0, 0xA500);
    const auto targa = Exported(pal);
    ASSERT_NE(ImageLibraries().TargaToExtendedBitmap(targa, WorkingPath("ImportFile.bmp")), 0);
    spy::MakeNoOutput("_TargaToExtendedBitmap", 1);
    Expect(pal, targa, "did not make ImportFile.bmp", GfxBinding(spy::kModuleName));
    spy::Reset();
    spy::MakeTruncatedOutput("_TargaToExtendedBitmap", 1000);
    Expect(pal, targa, "ImportFile.bmp ends after 1000 bytes, 1334 needed",
           GfxBinding(spy::kModuleName));

    const auto rgba = PatternEntry("rgba", 16, 16, 32, 0, 0x0500);
    const auto dds = Exported(rgba);
    spy::MakeNoOutput("_TargaFromDDS", 0);
    Expect(rgba, dds, "did not make ImportFile.tga", GfxBinding(spy::kModuleName));
    Expect(rgba, dds, "(_TargaFromDDS) is not available", GfxBinding("tinplate_no_such_module"));

    // A library that fails without making anything ends the import quietly.
    Expect(pal, "absent.tga", "");
    Expect(pal, "absent.tga", "", GfxBinding("tinplate_no_such_module"));
    WriteBytes("garbage.dds", std::vector<std::uint8_t>(300, 7));
    Expect(rgba, "garbage.dds", "");
}

}  // namespace

}  // namespace tinplate
