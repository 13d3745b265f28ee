// SPDX-License-Identifier: GPL-3.0-or-later
// What a double-click shows: the picture of each kind of texture and the value fields.
#include <gtest/gtest.h>

#include <QListWidget>

#include "tests/app/GuiHarness.h"
#include "txd/DictionaryReader.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

// The picture an uncompressed texture must give: its first stored row at the bottom.
QImage ExpectedUncompressed(const SampleTexture& t) {
    QImage image(t.width, t.height, QImage::Format_RGB32);
    const std::uint8_t* pixels = t.levels[0].data();
    for (int row = 0; row < t.height; ++row) {
        for (int x = 0; x < t.width; ++x) {
            const std::size_t at = static_cast<std::size_t>(row) * t.width + x;
            const std::uint8_t* colour =
                t.depth == 8 ? t.palette.data() + pixels[at] * 4 : pixels + at * 4;
            image.setPixel(x, t.height - 1 - row, Opaque(colour));
        }
    }
    return image;
}

// Block-compressed textures show their first block row at the top, as DDS readers do.
QImage ExpectedBlocks(int compression, int width, int height,
                      std::span<const std::uint8_t> blocks) {
    const auto rgba = DecodeBlocks(compression, width, height, blocks);
    return QImage(rgba.data(), width, height, QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_RGB32);
}

TEST(PreviewTest, EachKindShowsTheTexturesOwnPixels) {
    const std::vector<SampleTexture> textures = {
        MakePatternTexture("pal256", 16, 8, 8, 0, 1, 0x2500, 256),
        MakePatternTexture("pal32", 16, 16, 8, 0, 1, 0x4500, 32),
        MakePatternTexture("odd_width", 6, 5, 8, 0, 1, 0x2500, 256),
        MakePatternTexture("rgba", 8, 4, 32, 0, 1, 0x500),
        MakePatternTexture("dxt1", 16, 8, 16, 12, 1, 0x200),
        MakePatternTexture("dxt3", 8, 8, 16, 14, 1, 0x300),
        MakePatternTexture("dxt5", 8, 16, 16, 15, 1, 0x300),
        MakePatternTexture("dxt1_partly_used_blocks", 6, 5, 16, 12, 1, 0x200),
    };
    Window window;
    window.OpenTextures(textures);
    for (int i = 0; i < static_cast<int>(textures.size()); ++i) {
        SCOPED_TRACE(textures[i].name);
        window.Show(i);
        const SampleTexture& t = textures[i];
        const QImage expected = t.compression == 0
                                    ? ExpectedUncompressed(t)
                                    : ExpectedBlocks(t.compression, t.width, t.height, t.levels[0]);
        EXPECT_EQ(window.Picture(), expected);
        EXPECT_EQ(window.scratch.Files(), std::vector<std::string>{"sample.txd"});
    }
    EXPECT_TRUE(window.prompts.errors.empty());
}

TEST(PreviewTest, FieldsFollowTheRecord) {
    auto withAlpha = MakePatternTexture("with_alpha", 8, 4, 32, 0, 1, 0x500);
    withAlpha.hasAlpha = 1;
    auto odd = MakePatternTexture("odd", 4, 4, 16, 0, 1, 0x80000001);
    odd.hasAlpha = 2;
    odd.filterFlags = 0xFFFFFFFE;
    auto unknownKind = MakePatternTexture("unknown_kind", 4, 4, 16, 12, 1, 0x200);
    auto bytes = BuildDictionary({withAlpha, odd, unknownKind});
    const auto offsets = ParseDictionary(bytes, "fields.txd");
    bytes[offsets[1].record.headerOffset + 109] = 0;  // no mip levels at all
    bytes[offsets[2].record.headerOffset + 111] = 7;
    Window window;
    WriteBytes("fields.txd", bytes);
    window.Open((window.scratch.path() / "fields.txd").string());
    EXPECT_EQ(window.Field("Alpha"), "Yes");
    const QImage first = window.Picture();

    window.Show(1);
    EXPECT_EQ(window.Field("Width"), "4");
    EXPECT_EQ(window.Field("Bpp"), "16");
    EXPECT_EQ(window.Field("Comp."), "Swiz");
    EXPECT_EQ(window.Field("MipMaps"), "-1");
    EXPECT_EQ(window.Field("Alpha"), "Yes");  // 2 is neither yes nor no: the text stays
    EXPECT_EQ(window.Field("Alpha Flags"), "-2147483647");
    EXPECT_EQ(window.Field("Filter Flags"), "-2");
    EXPECT_EQ(window.Field("imageLabel"), "Image: odd");
    EXPECT_EQ(window.Picture(), first);  // a 16-bit texture changes only the fields

    window.Show(2);
    EXPECT_EQ(window.Field("Comp."), "Swiz");  // an unknown kind keeps the earlier text
    EXPECT_EQ(window.Field("imageLabel"), "Image: unknown_kind");
}

// A bitmap left by an earlier run never stands in for the conversion that could not be made.
TEST(PreviewTest, WithoutTheImageLibraryBlocksEmptyThePictureAndLargeTexturesShowUnscaled) {
    Window window("tinplate_no_such_library");
    WriteBytes(WorkingPath("Temp.bmp"), ReadBytes(FixturePath("pal4.txd")));
    window.OpenTextures({MakePatternTexture("blocks", 8, 8, 16, 12, 1, 0x200),
                         MakePatternTexture("big", 512, 512, 8, 0, 1, 0x2500)});
    EXPECT_TRUE(window.PictureIsEmpty());
    EXPECT_EQ(window.Field("Comp."), "DXT1");
    window.Show(1);
    EXPECT_EQ(window.Picture().size(), QSize(512, 512));
    EXPECT_TRUE(window.prompts.errors.empty());
    EXPECT_EQ(window.scratch.Files(), std::vector<std::string>{"sample.txd"});
}

// Blocks written by another program, the alpha mode of DXT1 included, show as a DDS reader
// decodes them.
TEST(PreviewTest, EveryThirdPartyTexturePreviewsWithoutError) {
    Window window;
    for (const char* file :
         {"pal8_mips.txd", "pal4.txd", "rgba32.txd", "dxt.txd", "mixed.txd", "pal4_mips.txd"}) {
        window.Open(CopyFixtureHere(file));
        for (int i = 0; i < window.List().count(); ++i) {
            window.Show(i);
            EXPECT_FALSE(window.PictureIsEmpty()) << file << " " << i;
            const TextureRecord& r = window.Record(i);
            if (IsBlockCompressed(r)) {
                EXPECT_EQ(window.Picture(),
                          ExpectedBlocks(r.compression, r.width, r.height, r.pixels));
            }
        }
    }
    EXPECT_TRUE(window.prompts.errors.empty());
    for (const std::string& name : window.scratch.Files()) {
        EXPECT_EQ(name.substr(name.size() - 4), ".txd");
    }
}

}  // namespace

}  // namespace tinplate
