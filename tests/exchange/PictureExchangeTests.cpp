// SPDX-License-Identifier: GPL-3.0-or-later
// Export As and Import From: pictures of every format in and out of every texture kind.
#include <gtest/gtest.h>
#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <cmath>
#include <memory>

#include "exchange/ExportAs.h"
#include "exchange/ImportFrom.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/support/TestSupport.h"
#include "texture/LevelDecode.h"
#include "txd/GameLevels.h"

namespace tinplate {

namespace {

using Rgba = std::vector<std::uint8_t>;

TextureRecord TwoRowTexture(int depth, int compression, std::uint32_t alphaFlags,
                            std::uint32_t hasAlpha, Rgba pixels, Rgba palette = {}) {
    TextureRecord record;
    record.width = 1;
    record.height = 2;
    record.depth = static_cast<std::int16_t>(depth);
    record.compression = compression;
    record.alphaFlags = alphaFlags;
    record.hasAlpha = hasAlpha;
    record.pixelSize = static_cast<std::uint32_t>(pixels.size());
    record.paletteSize = static_cast<std::uint32_t>(palette.size());
    record.pixels = std::move(pixels);
    record.palette = std::move(palette);
    return record;
}

Rgba ReadPicture(const std::string& path) {
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> data(
        stbi_load(path.c_str(), &width, &height, &channels, 4), stbi_image_free);
    if (!data) {
        return {};
    }
    return Rgba(data.get(), data.get() + std::size_t(width) * height * 4);
}

void WritePng(const std::string& path, std::uint32_t width, std::uint32_t height,
              const Rgba& rgba) {
    ASSERT_NE(stbi_write_png(path.c_str(), static_cast<int>(width), static_cast<int>(height), 4,
                             rgba.data(), static_cast<int>(width) * 4),
              0);
}

// Smooth gradients with noise: colours a palette can only approximate.
Rgba PhotoLike(std::uint32_t width, std::uint32_t height, bool transparentCorner = false) {
    Rgba rgba;
    std::uint32_t noise = 12345;
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int jitter = static_cast<int>((noise >> 16) % 17) - 8;
            const auto channel = [&](double v) {
                return static_cast<std::uint8_t>(std::clamp<int>(int(v) + jitter, 0, 255));
            };
            rgba.push_back(channel(255.0 * x / width));
            rgba.push_back(channel(255.0 * y / height));
            rgba.push_back(channel(128 + 100 * std::sin(x * 0.2 + y * 0.1)));
            rgba.push_back(transparentCorner && x < width / 2 && y < height / 2 ? 0 : 255);
        }
    }
    return rgba;
}

double MeanError(const Rgba& a, const Rgba& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::abs(int(a[i]) - int(b[i]));
    }
    return a.empty() ? 0 : sum / a.size();
}

// 2 x 2 means, the reference a box filter to half size must meet.
Rgba HalfSize(const Rgba& rgba, std::uint32_t width, std::uint32_t height) {
    Rgba half;
    for (std::uint32_t y = 0; y < height; y += 2) {
        for (std::uint32_t x = 0; x < width; x += 2) {
            for (std::uint32_t c = 0; c < 4; ++c) {
                const auto at = [&](std::uint32_t dx, std::uint32_t dy) {
                    return rgba[((y + dy) * width + x + dx) * 4 + c];
                };
                half.push_back(
                    static_cast<std::uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4));
            }
        }
    }
    return half;
}

// The game draws platform 5's stored rows top row first: the pixels of `picture`, written
// bottom row first, in the order they are drawn.
Rgba TopRowFirst(const Rgba& picture) {
    return FlipRows(picture, 4);
}

struct ExportCase {
    const char* kind;
    int depth;
    std::uint32_t alphaFlags, hasAlpha;
    Rgba texels, picture;
};

}  // namespace

TEST(PictureExport, EveryUncompressedKindShowsUprightWithItsAlpha) {
    // Two rows; the picture's top pixel comes from the second stored row.
    const ExportCase cases[] = {
        {"8-bit", 8, 0x2000, 1, {1, 0}, {30, 20, 10, 40, 70, 60, 50, 80}},
        {"8-bit no alpha", 8, 0x2000, 0, {1, 0}, {30, 20, 10, 255, 70, 60, 50, 255}},
        {"565", 16, 0x200, 1, {0, 0xF8, 0xE0, 7}, {0, 255, 0, 255, 255, 0, 0, 255}},
        {"1555", 16, 0x100, 1, {0, 0x7C, 0x1F, 0x80}, {0, 0, 255, 255, 255, 0, 0, 0}},
        {"4444", 16, 0x300, 1, {0x21, 0x84, 0, 0}, {0, 0, 0, 0, 68, 34, 17, 136}},
        {"888", 24, 0x600, 1, {1, 2, 3, 4, 5, 6}, {6, 5, 4, 255, 3, 2, 1, 255}},
        {"8888", 32, 0x500, 1, {1, 2, 3, 4, 5, 6, 7, 8}, {7, 6, 5, 8, 3, 2, 1, 4}},
        {"8888 no alpha", 32, 0x500, 0, {1, 2, 3, 4, 5, 6, 7, 8}, {7, 6, 5, 255, 3, 2, 1, 255}},
        {"8888 word 65537", 32, 0x500, 65537, {1, 2, 3, 4, 5, 6, 7, 8}, {7, 6, 5, 8, 3, 2, 1, 4}},
    };
    ScratchDir scratch;
    for (const auto& c : cases) {
        const Rgba palette = c.depth == 8 ? Rgba{10, 20, 30, 40, 50, 60, 70, 80} : Rgba{};
        const auto record = TwoRowTexture(c.depth, 0, c.alphaFlags, c.hasAlpha, c.texels, palette);
        for (auto format : {PictureFormat::Png, PictureFormat::Tga, PictureFormat::Bmp}) {
            ExportTextureAs(record, "out" + ExtensionOf(format), format);
            EXPECT_EQ(ReadPicture("out" + ExtensionOf(format)), TopRowFirst(c.picture))
                << c.kind << " as " << ExtensionOf(format);
        }
    }
}

TEST(PictureExport, BlockCompressedKindsMatchLibsquishWithTheirAlpha) {
    ScratchDir scratch;
    for (int compression : {12, 14, 15}) {
        for (std::uint32_t hasAlpha : {0u, 1u}) {
            const auto record = PatternEntry("t", 16, 8, 16, compression, 0, 256, hasAlpha).record;
            Rgba expected = DecodeBlocks(compression, 16, 8, record.pixels);
            for (std::size_t i = 3; i < expected.size() && hasAlpha != 1; i += 4) {
                expected[i] = 255;
            }
            ExportTextureAs(record, "out.png", PictureFormat::Png);
            EXPECT_EQ(ReadPicture("out.png"), expected) << compression << " alpha " << hasAlpha;
        }
    }
}

TEST(PictureExport, DdsCarriesEveryStoredLevelAndImageMagickReadsIt) {
    ScratchDir scratch;
    struct Case {
        TextureEntry texture;
        std::uint32_t levels, bytes;
    };
    const Case cases[] = {
        {PatternEntry("dxt1", 64, 64, 16, 12, 0x8200, 256, 0, 7), 7, 2048 + 512 + 128 + 32 + 24},
        {PatternEntry("rgba", 16, 8, 32, 0, 0x8500, 256, 1, 5), 5, (128 + 32 + 8 + 2 + 1) * 4},
        {PatternEntry("pal8", 8, 8, 8, 0, 0x2000, 256, 0, 4), 4, (64 + 16 + 4 + 1) * 4},
    };
    for (const Case& c : cases) {
        ExportTextureAs(c.texture.record, c.texture.name + ".dds", PictureFormat::Dds);
        const Rgba file = ReadBytes(c.texture.name + ".dds");
        EXPECT_EQ(file.size(), 128 + c.bytes) << c.texture.name;
        EXPECT_EQ(ReadLe32(file, 28), c.levels) << c.texture.name;
        EXPECT_EQ(MagickRgba(c.texture.name + ".dds").size(),
                  std::size_t{c.texture.record.width} * c.texture.record.height * 4)
            << c.texture.name;
    }
}

TEST(PictureImport, PngIntoThirtyTwoBitIsExactWithBoxFilteredLevelsAndIntoDxtOneKeepsAlpha) {
    ScratchDir scratch;
    auto record = PatternEntry("t", 16, 8, 32, 0, 0x8500, 256, 1, 3).record;
    const Rgba picture = PhotoLike(16, 8, true);
    WritePng("in.png", 16, 8, picture);
    ImportPictureFile(record, "in.png", {});
    EXPECT_EQ(GamePicture(record).rgba, picture);
    ASSERT_EQ(record.smallerLevels.size(), (32u + 8u) * 4);
    const Rgba half = HalfSize(picture, 16, 8);
    EXPECT_LE(MeanError(GamePicture(record, 1).rgba, half), 0.5);
    EXPECT_LE(MeanError(GamePicture(record, 2).rgba, HalfSize(half, 8, 4)), 1.0);

    // DXT1 keeps the picture's transparent quarter as its one-bit alpha.
    auto dxt1 = PatternEntry("t", 16, 8, 16, 12, 0x0200, 256, 1).record;
    ImportPictureFile(dxt1, "in.png", {});
    const Rgba decoded = DecodeBlocks(12, 16, 8, dxt1.pixels);
    for (std::uint32_t p = 0; p < 16 * 8; ++p) {
        EXPECT_EQ(decoded[p * 4 + 3], p % 16 < 8 && p / 16 < 4 ? 0 : 255) << p;
    }
}

// Bounds: mean absolute error per channel, 0..255, on the photo-like picture.
TEST(PictureImport, TrueColourIntoPaletteAndBlocksStaysClose) {
    ScratchDir scratch;
    const Rgba picture = PhotoLike(64, 64);
    WritePng("photo.png", 64, 64, picture);
    struct Case {
        const char* kind;
        TextureEntry texture;
        PictureImportOptions options;
        double bound;
    };
    const Case cases[] = {
        {"8-bit 32 entries, dithered", PatternEntry("t", 64, 64, 8, 0, 0x4000, 32), {}, 14},
        {"8-bit 32 entries, plain", PatternEntry("t", 64, 64, 8, 0, 0x4000, 32), {false}, 13},
        {"DXT1", PatternEntry("t", 64, 64, 16, 12, 0x0200), {}, 6},
        {"DXT3", PatternEntry("t", 64, 64, 16, 14, 0x0300), {}, 6},
        {"DXT5, fast", PatternEntry("t", 64, 64, 16, 15, 0x0300), {true, DxtQuality::Fast}, 7},
    };
    for (const Case& c : cases) {
        TextureRecord record = c.texture.record;
        ImportPictureFile(record, "photo.png", c.options);
        ExportTextureAs(record, "back.png", PictureFormat::Png);
        const Rgba back = ReadPicture("back.png");
        EXPECT_LT(MeanError(back, picture), c.bound) << c.kind;
        if (record.depth == 8) {
            EXPECT_EQ(record.palette.size(), 128u);
            EXPECT_TRUE(std::all_of(record.pixels.begin(), record.pixels.end(),
                                    [](std::uint8_t i) { return i < 32; }));
        }
    }
}

TEST(PictureImport, EightBitLevelsComeFromTheNewPicture) {
    ScratchDir scratch;
    const auto original = PatternEntry("t", 8, 8, 8, 0, 0x2000, 256, 0, 3).record;
    // 2 x 2 blocks of palette colours: every smaller level is exactly palette colours too.
    Rgba picture(8 * 8 * 4);
    for (std::uint32_t p = 0; p < 64; ++p) {
        const std::uint8_t* entry = &original.palette[((p % 8 / 2 + p / 16 * 4) % 7) * 4];
        std::copy_n(Rgba{entry[2], entry[1], entry[0], 255}.begin(), 4, &picture[p * 4]);
    }
    WritePng("blocks.png", 8, 8, picture);
    auto record = original;
    ImportPictureFile(record, "blocks.png", {});
    ASSERT_EQ(record.smallerLevels.size(), 16u + 4u);
    const GameLevel first = GameLevelOf(record, 0);
    const GameLevel second = GameLevelOf(record, 1);
    for (std::uint32_t y = 0; y < 4; ++y) {
        for (std::uint32_t x = 0; x < 4; ++x) {
            EXPECT_EQ(second.bytes[y * 4 + x], first.bytes[2 * y * 8 + 2 * x]);
        }
    }
}

TEST(PictureImport, RefusesWrongSizesAndBadFilesLeavingTheTextureAlone) {
    ScratchDir scratch;
    WritePng("small.png", 8, 4, Rgba(8 * 4 * 4, 7));
    WritePng("whole.png", 16, 8, PhotoLike(16, 8));
    const Rgba png = ReadBytes("whole.png");
    WriteBytes("cut.png", Rgba(png.begin(), png.begin() + 60));
    WriteBytes("garbage.png", Rgba(300, 0xA5));
    WriteBytes("empty.png", {});
    Rgba dds(128, 0);
    std::copy_n("DDS ", 4, dds.begin());
    WriteLe32(dds, 12, 8);
    WriteLe32(dds, 16, 16);
    WriteLe32(dds, 80, 4);
    std::copy_n("DXT5", 4, dds.begin() + 84);
    WriteBytes("short.dds", dds);
    WriteLe32(dds, 12, 0xFFFFFFFF);
    WriteBytes("huge.dds", dds);
    WriteLe32(dds, 12, 8);
    std::copy_n("ATI2", 4, dds.begin() + 84);
    WriteBytes("ati2.dds", dds);
    const struct {
        const char* file;
        const char* reason;
    } cases[] = {
        {"small.png", "the picture is 8 x 4, the texture 16 x 8"},
        {"cut.png", "cannot be decoded"},
        {"garbage.png", "no picture of a kind"},
        {"empty.png", "no picture of a kind"},
        {"short.dds", "ends inside its first level"},
        {"huge.dds", "the picture is 16 x 4294967295, the texture 16 x 8"},
        {"ati2.dds", "ATI2"},
        {"missing.png", "No such file"},
    };
    for (const auto& c : cases) {
        for (int compression : {0, 12}) {
            const auto original =
                PatternEntry("t", 16, 8, compression ? 16 : 8, compression, 0x2000, 256, 0, 2)
                    .record;
            auto record = original;
            try {
                ImportPictureFile(record, c.file, {});
                ADD_FAILURE() << c.file << " was taken";
            } catch (const FileError& error) {
                EXPECT_EQ(error.fileName(), c.file);
                EXPECT_NE(error.reason().find(c.reason), std::string::npos)
                    << c.file << ": " << error.reason();
            }
            EXPECT_EQ(record.pixels, original.pixels) << c.file;
            EXPECT_EQ(record.palette, original.palette) << c.file;
            EXPECT_EQ(record.smallerLevels, original.smallerLevels) << c.file;
        }
    }
}

}  // namespace tinplate
