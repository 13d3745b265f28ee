// SPDX-License-Identifier: GPL-3.0-or-later
// The whole-dictionary writer and the restructuring edits.
#include <gtest/gtest.h>

#include <bit>

#include "edits/DictionaryEdits.h"
#include "edits/EditRefused.h"
#include "fileio/ByteOrder.h"
#include "tests/support/TestSupport.h"
#include "texture/LevelDecode.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"

namespace tinplate {

namespace {

using Bytes = std::vector<std::uint8_t>;

// 24 colours, some translucent.
FilePicture Picture(std::uint32_t width, std::uint32_t height) {
    RgbaImage image{width, height, {}};
    for (std::uint32_t i = 0; i < width * height; ++i) {
        const auto shade = static_cast<std::uint8_t>((i % width * 3 + i / width * 5) % 24 * 10);
        image.rgba.insert(image.rgba.end(), {shade, static_cast<std::uint8_t>(255 - shade), 40,
                                             static_cast<std::uint8_t>(shade > 200 ? 128 : 255)});
    }
    return {image, {}, {}};
}

// Writes the list, checks the file against the layout of the third-party files without the
// program's reader, and reads it back with that reader.
std::vector<TextureEntry> Reread(std::span<const std::uint8_t> original,
                                 const std::vector<TextureEntry>& textures, Bytes* out = nullptr) {
    const Bytes bytes = DictionaryBytes(original, textures, "out.txd");
    EXPECT_EQ(ReadLe32(bytes, 0), 0x16u);
    EXPECT_EQ(ReadLe32(bytes, 4), bytes.size() - 12);
    std::size_t at = 28;
    for (std::size_t i = 0; i < ReadLe16(bytes, 24) && at + 116 <= bytes.size(); ++i) {
        const std::uint32_t structSize = ReadLe32(bytes, at + 16);
        const auto depth = static_cast<std::int8_t>(bytes[at + 108]);
        EXPECT_EQ(ReadLe32(bytes, at + 4), structSize + 24);
        EXPECT_EQ(structSize,
                  92 + ReadLe32(bytes, at + 112) +
                      SizesForHeader(depth, 0, 0, 0, ReadLe32(bytes, at + 96)).paletteSize);
        EXPECT_EQ(ReadLe32(bytes, at + 24 + structSize), 3u);  // the extension chunk
        at += 12 + ReadLe32(bytes, at + 4);
    }
    EXPECT_EQ(at + 12, bytes.size());
    if (out != nullptr) {
        *out = bytes;
    }
    return ParseDictionary(bytes, "out.txd");
}

Bytes Block(const Bytes& file, const TextureRecord& r) {
    return Bytes(file.begin() + r.headerOffset, file.begin() + r.blockEnd);
}

constexpr TextureKind kAllKinds[] = {TextureKind::kPalette256, TextureKind::kPalette32,
                                     TextureKind::kRgba32,     TextureKind::kDxt1,
                                     TextureKind::kDxt3,       TextureKind::kDxt5};

TEST(RestructureTest, EveryKindAddedToANewDictionaryReadsBackAsAdded) {
    std::vector<TextureEntry> textures;
    for (TextureKind kind : kAllKinds) {
        AddTexture(textures, std::string(KindWord(kind)), Picture(16, 8), kind);
    }
    const auto reread = Reread({}, textures);
    ASSERT_EQ(reread.size(), textures.size());
    for (std::size_t i = 0; i < reread.size(); ++i) {
        SCOPED_TRACE(textures[i].name);
        const TextureRecord& a = textures[i].record;
        const TextureRecord& b = reread[i].record;
        EXPECT_EQ(reread[i].name, textures[i].name);
        EXPECT_EQ(std::tie(a.width, a.height, a.depth, a.compression, a.mipCount, a.hasAlpha,
                           a.alphaFlags, a.filterFlags),
                  std::tie(b.width, b.height, b.depth, b.compression, b.mipCount, b.hasAlpha,
                           b.alphaFlags, b.filterFlags));
        EXPECT_EQ(a.palette, b.palette);
        EXPECT_EQ(a.pixels, b.pixels);
        EXPECT_EQ(MakeableKindOf(b), kAllKinds[i]);
        EXPECT_EQ(b.hasAlpha, 1u);
        if (kAllKinds[i] == TextureKind::kRgba32) {
            EXPECT_EQ(GamePicture(b).rgba, Picture(16, 8).image.rgba);
        }
    }
}

TEST(RestructureTest, RemoveRenameAndMoveKeepEveryOtherBlockByteForByte) {
    Bytes original = BuildDictionary(StandardSampleTextures());
    // Bytes a fresh block would not take over: the raster type and the mask name.
    const auto read = ParseDictionary(original, "in.txd");
    original[read[4].record.headerOffset + 110] = 2;
    original[read[4].record.headerOffset + 70] = 'm';
    struct Case {
        const char* what;
        void (*edit)(std::vector<TextureEntry>&);
        std::size_t touched;  // the one texture whose block may change
    };
    const Case cases[] = {
        {"remove", [](auto& t) { RemoveTexture(t, 2); }, 2},
        {"rename", [](auto& t) { RenameTexture(t, 3, "renamed"); }, 3},
        {"move up", [](auto& t) { MoveTexture(t, 5, MoveDirection::kUp); }, 99},
        {"move down", [](auto& t) { MoveTexture(t, 0, MoveDirection::kDown); }, 99},
        {"resize", [](auto& t) { ResizeTexture(t, 1, 8, 64); }, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto textures = ParseDictionary(original, "in.txd");
        c.edit(textures);
        EXPECT_TRUE(IsRestructured(original, textures));
        Bytes written;
        const auto reread = Reread(original, textures, &written);
        for (std::size_t i = 0; i < read.size(); ++i) {
            const auto same = std::find_if(reread.begin(), reread.end(),
                                           [&](const auto& e) { return e.name == read[i].name; });
            if (i != c.touched) {
                ASSERT_NE(same, reread.end()) << read[i].name;
                EXPECT_EQ(Block(written, same->record), Block(original, read[i].record));
            }
        }
    }
    EXPECT_FALSE(IsRestructured(original, ParseDictionary(original, "in.txd")));
    EXPECT_EQ(DictionaryBytes(original, ParseDictionary(original, "in.txd"), "out.txd"), original);
}

TEST(RestructureTest, ResizeConvertAndLevelsGiveFullChainsOfTheRightSizes) {
    struct Case {
        TextureKind from;
        bool levels;
        void (*edit)(std::vector<TextureEntry>&);
        TextureKind to;
        std::uint32_t width, height;
        bool levelsAfter;
    };
    const Case cases[] = {
        {TextureKind::kPalette32, true, [](auto& t) { ResizeTexture(t, 0, 64, 4); },
         TextureKind::kPalette32, 64, 4, true},
        {TextureKind::kDxt1, false, [](auto& t) { ResizeTexture(t, 0, 2, 2); }, TextureKind::kDxt1,
         2, 2, false},
        {TextureKind::kRgba32, true, [](auto& t) { ChangeKind(t, 0, TextureKind::kPalette256); },
         TextureKind::kPalette256, 16, 8, true},
        {TextureKind::kPalette256, false, [](auto& t) { ChangeKind(t, 0, TextureKind::kDxt5); },
         TextureKind::kDxt5, 16, 8, false},
        {TextureKind::kDxt3, false, [](auto& t) { MakeMipLevels(t, 0); }, TextureKind::kDxt3, 16, 8,
         true},
        {TextureKind::kPalette256, true, [](auto& t) { RemoveMipLevels(t, 0); },
         TextureKind::kPalette256, 16, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(KindWord(c.from)) + " to " + std::string(KindWord(c.to)));
        std::vector<TextureEntry> textures;
        AddTexture(textures, "t", Picture(16, 8), c.from);
        if (c.levels) {
            MakeMipLevels(textures, 0);
        }
        c.edit(textures);
        const TextureRecord& r = textures[0].record;
        const int chain = c.levelsAfter ? std::bit_width(std::max(c.width, c.height)) : 1;
        std::uint64_t smaller = 0;
        for (int level = 1; level < chain; ++level) {
            smaller += SizesForHeader(r.depth, r.compression, std::max(c.width >> level, 1u),
                                      std::max(c.height >> level, 1u), r.alphaFlags)
                           .pixelSize;
        }
        EXPECT_EQ(MakeableKindOf(r), c.to);
        EXPECT_EQ(std::tie(r.width, r.height), std::tie(c.width, c.height));
        EXPECT_EQ(r.mipCount, chain);
        EXPECT_EQ(
            r.pixels.size(),
            SizesForHeader(r.depth, r.compression, c.width, c.height, r.alphaFlags).pixelSize);
        EXPECT_EQ(r.smallerLevels.size(), smaller);
        EXPECT_EQ((r.alphaFlags & 0x8000) != 0, c.levelsAfter);
        const bool pal32 = c.to == TextureKind::kPalette32;
        const bool pal256 = c.to == TextureKind::kPalette256;
        EXPECT_EQ(r.alphaFlags & 0x6000, pal32 ? 0x4000u : pal256 ? 0x2000u : 0u);
        EXPECT_EQ(r.palette.size(), pal32 ? 128u : pal256 ? 1024u : 0u);
        const auto reread = Reread({}, textures);
        EXPECT_EQ(reread[0].record.levelDataEnd - reread[0].record.pixelOffset,
                  (r.pixels.size() + smaller + 3) / 4 * 4);
    }
}

TEST(RestructureTest, UnfitNamesAndImpossibleEditsAreRefusedAndChangeNothing) {
    const Bytes original = BuildDictionary({MakePatternTexture("Taken", 4, 4, 32, 0, 1, 0x500),
                                            MakePatternTexture("rgb565", 4, 4, 16, 0, 1, 0x200)});
    std::vector<TextureEntry> textures = ParseDictionary(original, "in.txd");
    const std::string fits(31, 'n');
    EXPECT_NO_THROW(RenameTexture(textures, 0, fits));
    const auto before = DictionaryBytes(original, textures, "out.txd");
    const std::string refused[] = {"",   fits + "n",  "a/b",     "a\\b",        ".",
                                   "..", "tab\there", "del\x7f", "caf\xc3\xa9", "RGB565"};
    for (const std::string& name : refused) {
        EXPECT_THROW(RenameTexture(textures, 0, name), EditRefused) << name;
        EXPECT_THROW(AddTexture(textures, name, Picture(4, 4), TextureKind::kDxt1), EditRefused);
    }
    EXPECT_THROW(ResizeTexture(textures, 0, 6, 4), EditRefused);
    EXPECT_THROW(ChangeKind(textures, 1, TextureKind::kDxt1), EditRefused);
    EXPECT_THROW(MoveTexture(textures, 1, MoveDirection::kDown), EditRefused);
    EXPECT_THROW(AddTexture(textures, "big", Picture(0, 4), TextureKind::kDxt1), EditRefused);
    EXPECT_EQ(DictionaryBytes(original, textures, "out.txd"), before);
}

}  // namespace

}  // namespace tinplate
