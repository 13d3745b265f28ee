// SPDX-License-Identifier: GPL-3.0-or-later
// One dictionary that breaks each lint rule once, and the third-party fixtures, which break
// none that a game would refuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

#include "checks/DictionaryLint.h"
#include "checks/LevelComparison.h"
#include "checks/LintRules.h"
#include "fileio/ByteOrder.h"
#include "tests/support/TestSupport.h"
#include "texture/BoxFilter.h"
#include "txd/DictionaryReader.h"
#include "txd/GameTargets.h"
#include "txd/PlatformLayout.h"

using namespace tinplate;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A smooth opaque 32-bit picture whose smaller levels are each the last box-filtered.
SampleTexture Rgba(const std::string& name, std::uint16_t width, std::uint16_t height,
                   int levels = 1) {
    SampleTexture t;
    t.name = name;
    t.width = width;
    t.height = height;
    t.depth = 32;
    t.alphaFlags = 0x0500;
    RgbaImage level{width, height, {}};
    for (std::size_t i = 0; i < std::size_t{width} * height; ++i) {
        level.rgba.insert(level.rgba.end(), {static_cast<std::uint8_t>(i % width * 8),
                                             static_cast<std::uint8_t>(i / width * 8), 128, 255});
    }
    for (int i = 0; i < levels; ++i) {
        t.levels.push_back(level.rgba);
        level = BoxFilter(level, std::max(level.width / 2, 1u), std::max(level.height / 2, 1u));
    }
    return t;
}

// DXT1 blocks in four-colour mode (first colour above the second): opaque. `transparent`
// switches to three-colour mode with every texel on index 3.
SampleTexture Dxt1(const std::string& name, std::uint16_t width, std::uint16_t height,
                   bool transparent = false) {
    SampleTexture t;
    t.name = name;
    t.width = width;
    t.height = height;
    t.depth = 16;
    t.compression = 12;
    t.alphaFlags = 0x0200;
    const std::size_t blocks = std::size_t{(width + 3u) / 4} * ((height + 3u) / 4);
    for (std::size_t b = 0; b < blocks; ++b) {
        const Bytes block = transparent ? Bytes{0x1F, 0x00, 0x00, 0xF8, 0xFF, 0xFF, 0xFF, 0xFF}
                                        : Bytes{0x00, 0xF8, 0x1F, 0x00, 0x1B, 0x1B, 0x1B, 0x1B};
        if (t.levels.empty()) {
            t.levels.emplace_back();
        }
        t.levels[0].insert(t.levels[0].end(), block.begin(), block.end());
    }
    return t;
}

// 8-bit with an opaque palette of `entries`, its indices cycling through `used` of them.
SampleTexture Palette(const std::string& name, std::uint16_t width, std::uint16_t height,
                      int entries, int used) {
    SampleTexture t =
        MakePatternTexture(name, width, height, 8, 0, 1, entries == 32 ? 0x4500 : 0x2500, entries);
    for (std::size_t i = 3; i < t.palette.size(); i += 4) {
        t.palette[i] = 255;
    }
    for (std::size_t i = 0; i < t.levels[0].size(); ++i) {
        t.levels[0][i] = static_cast<std::uint8_t>(i % used);
    }
    return t;
}

struct RuleCase {
    std::string_view rule;  // the one rule the texture breaks; empty for none
    SampleTexture texture;
    // Changes the written file where the builder cannot: (file, the texture's block offset).
    std::function<void(Bytes&, std::size_t)> patch;
};

std::vector<RuleCase> RuleCases() {
    SampleTexture translucent = Rgba("translucent", 8, 8);
    translucent.levels[0][3] = 128;
    SampleTexture flagged = Rgba("flagged_opaque", 8, 8);
    flagged.hasAlpha = 1;
    SampleTexture painted = Rgba("painted_levels", 16, 16, 5);
    for (std::size_t i = 0; i < painted.levels[1].size(); i += 4) {
        painted.levels[1][i] = static_cast<std::uint8_t>(~painted.levels[1][i]);
    }
    SampleTexture dxt1Alpha = Dxt1("dxt1_transparent", 8, 8, true);
    const auto setLe32 = [](std::size_t offset, std::uint32_t value) {
        return [=](Bytes& file, std::size_t block) { WriteLe32(file, block + offset, value); };
    };
    return {
        {{}, Rgba("clean", 16, 16, 5), nullptr},
        {rule::kNameEmpty, Rgba("", 8, 8), nullptr},
        {rule::kNameLength, Rgba(std::string(32, 'n'), 8, 8), nullptr},
        {rule::kNameAscii, Rgba("masked", 8, 8),
         [](Bytes& file, std::size_t block) { file[block + 64] = 0x07; }},
        {rule::kNameDuplicate, Rgba("CLEAN", 8, 8), nullptr},
        {rule::kSwizzleSize, Palette("pal_6x4", 6, 4, 32, 32), nullptr},
        {rule::kPowerOfTwo, Dxt1("dxt1_12x8", 12, 8), nullptr},
        {rule::kMaxSize, Rgba("wide_2048x1", 2048, 1), nullptr},
        {rule::kDxtSize, Dxt1("dxt1_8x2", 8, 2), nullptr},
        {rule::kMipCount, Rgba("three_levels", 16, 16, 3), nullptr},
        {rule::kLevelsMissing, Rgba("announces_five", 16, 16, 3),
         [](Bytes& file, std::size_t block) { file[block + 109] = 5; }},
        {rule::kAlphaUnset, translucent, nullptr},
        {rule::kAlphaUnused, flagged, nullptr},
        {rule::kDxt1Alpha, dxt1Alpha, nullptr},
        {rule::kPaletteSize, Palette("sixteen_colours", 8, 8, 256, 16), nullptr},
        {{}, Palette("seventeen_colours", 8, 8, 256, 17), nullptr},
        {rule::kMipContent, painted, nullptr},
        {rule::kUnknownChunk, Rgba("odd_chunk", 8, 8),
         [](Bytes& file, std::size_t block) { WriteLe32(file, block + 24 + 92 + 256, 0x1234); }},
        {rule::kSizeRounded, Rgba("size_word", 8, 8), setLe32(112, 264)},
    };
}

std::vector<std::pair<std::optional<std::size_t>, std::string_view>> Broken(
    const std::vector<Finding>& findings) {
    std::vector<std::pair<std::optional<std::size_t>, std::string_view>> broken;
    for (const Finding& finding : findings) {
        broken.emplace_back(finding.texture, finding.rule);
    }
    return broken;
}

}  // namespace

TEST(LintRules, EachRuleBrokenOnceIsFoundOnceAndNothingElse) {
    const std::vector<RuleCase> cases = RuleCases();
    std::vector<SampleTexture> textures;
    for (const RuleCase& c : cases) {
        textures.push_back(c.texture);
    }
    Bytes file = BuildDictionary(textures);
    const std::vector<TextureEntry> written = ParseDictionary(file, "rules.txd");
    std::vector<std::pair<std::optional<std::size_t>, std::string_view>> expected;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        if (cases[i].patch) {
            cases[i].patch(file, written[i].record.headerOffset);
        }
        if (!cases[i].rule.empty()) {
            expected.emplace_back(i, cases[i].rule);
        }
    }
    // A PS2 texture too large for one GIF packet is never read, only made in the editor.
    std::vector<TextureEntry> entries = ParseDictionary(file, "rules.txd");
    TextureEntry& upload = entries.emplace_back(entries.front());
    upload.name = "too_big_for_a_packet";
    upload.record.platform = platform::kPs2;
    upload.record.width = 512;
    upload.record.height = 256;
    upload.record.mipCount = 1;
    upload.record.pixels = ByteBuffer(std::vector<std::uint8_t>(std::size_t{512} * 256 * 4, 0xFF));
    upload.record.pixelSize = static_cast<std::uint32_t>(upload.record.pixels.size());
    upload.record.headerOffset = upload.record.blockEnd = 0;
    upload.record.laidOutAnew = true;
    expected.emplace_back(entries.size() - 1, rule::kUploadSize);
    file.insert(file.end(), {0, 0, 0, 0});
    expected.emplace_back(std::nullopt, rule::kTrailingBytes);
    expected.emplace_back(std::nullopt, rule::kTargets);

    const auto findings = LintDictionary(file, entries);
    EXPECT_EQ(Broken(findings), expected);
    std::vector<std::string_view> covered;
    for (const auto& [index, name] : expected) {
        covered.push_back(name);
    }
    // A platform 5 dictionary of 3.6.0.3 breaks both rules of the target III on PC.
    for (const Finding& finding : LintDictionary(file, {written[0]}, FindGameTarget("iii-pc"))) {
        covered.push_back(finding.rule);
    }
    for (const LintRule& known : LintRules()) {
        EXPECT_NE(std::find(covered.begin(), covered.end(), known.name), covered.end())
            << known.name << " is broken by no texture";
    }
}

TEST(LintRules, ThirdPartyFixturesHaveNoErrors) {
    for (const std::string folder : {"", "pc/", "ps2/"}) {
        for (const FixtureRow& row : FixtureTable(folder + "files.tsv")) {
            const std::string file = folder + row.at("file");
            const auto bytes = ReadBytes(FixturePath(file));
            for (const Finding& finding : LintDictionary(bytes, ParseDictionary(bytes, file))) {
                EXPECT_NE(finding.severity, Severity::Error)
                    << file << ": " << finding.textureName << ": " << finding.message;
            }
        }
    }
}

TEST(LevelComparison, PsnrOfOneChannelSixteenApart) {
    // A mean square of 16 * 16 / 8 channels = 32: 10 log10(255 * 255 / 32) dB.
    TextureRecord record;
    record.width = 2;
    record.height = 1;
    record.depth = 32;
    record.alphaFlags = 0x0500;
    const Bytes a{10, 20, 30, 255, 40, 50, 60, 255};
    Bytes b = a;
    b[5] += 16;
    const LevelComparison result =
        CompareLevels(0, record, {2, 1, a, nullptr}, record, {2, 1, b, nullptr});
    EXPECT_EQ(result.outcome, LevelComparison::Outcome::Different);
    EXPECT_NEAR(result.psnr, 33.0793, 0.0001);
}
