// SPDX-License-Identifier: GPL-3.0-or-later
// Converting between the PS2 dictionaries and their platform-8 twins, and what cannot go to
// the PS2 platform.
#include <gtest/gtest.h>

#include "fileio/FileError.h"
#include "pixelops/PlatformConversion.h"
#include "tests/support/TestSupport.h"
#include "texture/LevelDecode.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"
#include "txd/Ps2Texels.h"

namespace tinplate {

namespace {

std::vector<RgbaImage> Pictures(const TextureRecord& r) {
    std::vector<RgbaImage> pictures{DecodeLevel(r, r.pixels, r.width, r.height)};
    const auto sizes = SmallerLevelSizes(r);
    const auto bytes = SmallerLevelBytes(r);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        pictures.push_back(DecodeLevel(r, bytes[i], sizes[i].width, sizes[i].height));
    }
    return pictures;
}

TEST(Ps2ConversionTest, TwinsBecomeThePs2FilesByteForByteAndComeBackWithTheirPictures) {
    for (const std::string name : {"g_pal.txd", "g_rgb.txd"}) {
        SCOPED_TRACE(name);
        const auto twinBytes = ReadBytes(FixturePath("ps2/p8_" + name));
        const auto ps2Bytes = ReadBytes(FixturePath("ps2/" + name));
        const auto twins = ParseDictionary(twinBytes, name);
        EXPECT_EQ(DictionaryBytes(twinBytes, ConvertedDictionary(twins, platform::kPs2), name),
                  ps2Bytes);

        const auto back = ConvertedDictionary(ParseDictionary(ps2Bytes, name), platform::kD3d8);
        ASSERT_EQ(back.size(), twins.size());
        for (std::size_t t = 0; t < twins.size(); ++t) {
            SCOPED_TRACE(twins[t].name);
            const auto expected = Pictures(twins[t].record);
            const auto got = Pictures(back[t].record);
            ASSERT_EQ(got.size(), expected.size());
            for (std::size_t l = 0; l < got.size(); ++l) {
                ASSERT_EQ(got[l].rgba.size(), expected[l].rgba.size());
                // Alpha keeps what 0 to 128 can hold of it; colours are exact.
                auto want = expected[l].rgba;
                for (std::size_t i = 3; i < want.size(); i += 4) {
                    want[i] = ps2::FullAlpha(static_cast<std::uint8_t>(want[i] * 128 / 255));
                }
                EXPECT_EQ(got[l].rgba, want) << "level " << l;
            }
        }
    }
}

TEST(Ps2ConversionTest, WhatThePlatformCannotHoldIsRefusedOrConverted) {
    struct Case {
        TextureEntry texture;
        const char* refusal;  // nullptr: converted, into `kind`
        TextureKind kind;
    };
    const Case cases[] = {
        {PatternEntry("npot", 100, 60, 32, 0, 0x0500), "powers of two", {}},
        {PatternEntry("wide", 2048, 8, 32, 0, 0x0500), "powers of two", {}},
        {PatternEntry("big", 1024, 1024, 32, 0, 0x0500), "GIF packet", {}},
        {PatternEntry("short", 64, 64, 32, 0, 0x8500, 256, 0, 2), "has 1 or 4", {}},
        {PatternEntry("full", 64, 64, 32, 0, 0x8500, 256, 0, 7), nullptr, TextureKind::kRgba32},
        {PatternEntry("dxt", 64, 64, 16, 12, 0x0200), nullptr, TextureKind::kRgba32},
        {PatternEntry("565", 16, 16, 16, 0, 0x0200), nullptr, TextureKind::kRgba32},
        {PatternEntry("pal32", 16, 16, 8, 0, 0x4500, 32), nullptr, TextureKind::kPalette256},
    };
    // Laid out anew at a size the platform cannot hold, it is refused naming the file.
    TextureRecord odd = ConvertedToPlatform(cases[4].texture, platform::kPs2);
    odd.width = 48;
    try {
        DictionaryBytes({}, {{"odd", odd}}, "new.txd");
        ADD_FAILURE() << "written";
    } catch (const FileError& e) {
        EXPECT_EQ(e.fileName(), "new.txd");
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texture.name);
        try {
            const TextureRecord r = ConvertedToPlatform(c.texture, platform::kPs2);
            EXPECT_EQ(c.refusal, nullptr);
            EXPECT_EQ(KindOf(r), c.kind);
            const auto written = DictionaryBytes({}, {{c.texture.name, r}}, "new.txd");
            const TextureRecord reread = ParseDictionary(written, "new.txd").at(0).record;
            EXPECT_EQ(Pictures(reread).size(), Pictures(r).size());
        } catch (const ConversionRefused& e) {
            ASSERT_NE(c.refusal, nullptr) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << e.what();
        }
    }
}

}  // namespace

}  // namespace tinplate
