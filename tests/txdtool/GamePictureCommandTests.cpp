// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures through every platform as the game draws them, orders given on the command line,
// and textures a platform cannot hold.
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/txdtool/TxdtoolTest.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

constexpr std::uint8_t kSide = 16;

// Red on the top row fading to blue on the bottom one, green growing across: upside down or
// scrambled, it differs everywhere.
std::vector<std::uint8_t> GradientRgba() {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            const auto down = static_cast<std::uint8_t>(y * 17);
            rgba.insert(rgba.end(), {static_cast<std::uint8_t>(255 - down),
                                     static_cast<std::uint8_t>(x * 17), down, 255});
        }
    }
    return rgba;
}

// A Targa of the picture, top row first (B, G, R, A).
void WriteGradientTarga(const std::string& path) {
    std::vector<std::uint8_t> targa = {0, 0, 2, 0,     0, 0,     0, 0,  0,
                                       0, 0, 0, kSide, 0, kSide, 0, 32, 0x28};
    const auto rgba = GradientRgba();
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        targa.insert(targa.end(), {rgba[i + 2], rgba[i + 1], rgba[i], rgba[i + 3]});
    }
    WriteBytes(path, targa);
}

int LargestDifference(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    if (a.size() != b.size()) {
        return 256;
    }
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        largest = std::max(largest, std::abs(int{a[i]} - int{b[i]}));
    }
    return largest;
}

TEST_F(TxdtoolTest, GradientsStayUprightOnEveryPlatformAndKind) {
    WriteGradientTarga("g.tga");
    const std::pair<const char*, int> kinds[] = {{"rgba32", 0}, {"pal8", 8}, {"dxt1", 64}};
    for (const auto& [kind, tolerance] : kinds) {
        for (const char* first : {"5", "8", "9"}) {
            for (const char* second : {"5", "8", "9"}) {
                SCOPED_TRACE(std::string(kind) + " on " + first + " then " + second);
                std::remove("n.txd");
                ASSERT_EQ(RunTxdtool({"new", "n.txd"}).status, 0);
                ASSERT_EQ(RunTxdtool({"add", "n.txd", "g.tga", kind}).status, 0);
                RunTxdtool({"platform", "n.txd", first});
                RunTxdtool({"platform", "n.txd", second});
                ASSERT_EQ(RunTxdtool({"export", "n.txd", "g", "-o", "x.png"}).status, 0);
                EXPECT_LE(LargestDifference(MagickRgba("x.png"), GradientRgba()), tolerance);
            }
        }
    }
}

// The first level of every texture of `path`, as stored.
std::vector<ByteBuffer> FirstLevels(const std::string& path) {
    std::vector<ByteBuffer> levels;
    for (const TextureEntry& texture : ReadDictionary(path)) {
        levels.push_back(texture.record.pixels);
    }
    return levels;
}

TEST_F(TxdtoolTest, ConversionToPlatform5StoresTheOrderAsked) {
    const std::string twin = FixturePath("pc/p9_pal.txd");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, FixturePath("pc/p5_pal.txd")},
        {{"--swizzled"}, FixturePath("pc/p5_pal.txd")},
        {{"--linear"}, twin},
    };
    for (const auto& [options, expected] : cases) {
        SCOPED_TRACE(options.empty() ? "own order" : options.front());
        WriteBytes("c.txd", ReadBytes(twin));
        std::vector<std::string> words = {"platform", "c.txd", "5"};
        words.insert(words.end(), options.begin(), options.end());
        ASSERT_EQ(RunTxdtool(words).status, 0);
        EXPECT_EQ(FirstLevels("c.txd"), FirstLevels(expected));
    }
}

TEST_F(TxdtoolTest, AddRefusesWhatThePlatformCannotHoldUnlessForced) {
    std::vector<std::uint8_t> targa = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 100, 0, 60, 0, 32, 0x28};
    targa.resize(targa.size() + 100 * 60 * 4, 0x80);
    WriteBytes("odd.tga", targa);
    ASSERT_EQ(RunTxdtool({"new", "n.txd"}).status, 0);
    const ToolRun refused = RunTxdtool({"add", "n.txd", "odd.tga", "rgba32"});
    EXPECT_NE(refused.status, 0);
    EXPECT_NE(refused.err.find("swizzle-size"), std::string::npos) << refused.err;
    EXPECT_EQ(RunTxdtool({"add", "--force", "n.txd", "odd.tga", "rgba32"}).status, 0);
    EXPECT_EQ(ReadDictionary("n.txd").size(), 1u);
}

}  // namespace

}  // namespace tinplate
