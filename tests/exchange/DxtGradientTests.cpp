// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures of every small size through the DXT encoder: whatever their shape, the blocks must
// decode close to the picture, and so must every level of a chain made from one.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "tests/support/TestSupport.h"
#include "texture/BoxFilter.h"
#include "texture/TextureBuild.h"
#include "txd/LevelChain.h"

namespace tinplate {

namespace {

// Red rising as blue falls, in four steps from 0 to 255 of `rowsPerStep` rows each, then again;
// green rising gently across. A block's colours lie on one line, which its four colours can
// follow to within the rounding to 5:6:5; red and blue always add up to 255, the balance that
// threw libsquish's axis off.
RgbaImage Gradient(std::uint32_t width, std::uint32_t height, std::uint32_t rowsPerStep) {
    RgbaImage image{width, height, {}};
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            const auto red = static_cast<std::uint8_t>(85 * (y / rowsPerStep % 4));
            image.rgba.insert(image.rgba.end(), {red, static_cast<std::uint8_t>(64 + x % 16),
                                                 static_cast<std::uint8_t>(255 - red), 255});
        }
    }
    return image;
}

double MeanError(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    double sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        sum += std::abs(int(a[i]) - int(b[i]));
    }
    return a.empty() ? 0 : sum / static_cast<double>(a.size());
}

TextureRecord Built(const RgbaImage& picture, TextureKind kind, bool withLevels,
                    DxtQuality quality) {
    return BuildTexture({picture, {}, {}}, kind, withLevels, 0x1102, {true, quality});
}

struct Kind {
    TextureKind kind;
    int compression;
};
constexpr Kind kKinds[] = {
    {TextureKind::kDxt1, 12}, {TextureKind::kDxt3, 14}, {TextureKind::kDxt5, 15}};

// Mean absolute error per channel on the 0..255 scale, alpha included; what DXT's rounding
// alone costs on these ramps stays well below it.
constexpr double kBound = 4.0;

}  // namespace

TEST(DxtGradient, EverySmallShapeDecodesCloseToThePicture) {
    std::vector<std::pair<std::uint32_t, std::uint32_t>> shapes{{64, 4}, {4, 64}};
    for (std::uint32_t height = 1; height <= 16; ++height) {
        for (std::uint32_t width = 1; width <= 16; ++width) {
            shapes.emplace_back(width, height);
        }
    }
    for (const Kind& kind : kKinds) {
        for (const DxtQuality quality : {DxtQuality::Best, DxtQuality::Fast}) {
            for (const auto& [width, height] : shapes) {
                if (quality == DxtQuality::Fast && width != 64 && height != 64) {
                    continue;  // the range fit shares the cluster fit's axis: two shapes do
                }
                const RgbaImage picture = Gradient(width, height, 1);
                const TextureRecord record = Built(picture, kind.kind, false, quality);
                EXPECT_LE(MeanError(DecodeBlocks(kind.compression, width, height, record.pixels),
                                    picture.rgba),
                          kBound)
                    << "compression " << kind.compression
                    << (quality == DxtQuality::Fast ? " fast, " : ", ") << width << " x " << height;
            }
        }
    }
}

TEST(DxtGradient, EveryLevelOfAChainDecodesCloseToTheBoxFilteredPicture) {
    // Steps of 8 rows: the 16 x 8 and 8 x 4 levels hold the balanced steps exactly.
    const RgbaImage picture = Gradient(64, 32, 8);
    for (const Kind& kind : kKinds) {
        const TextureRecord record = Built(picture, kind.kind, true, DxtQuality::Best);
        const std::vector<LevelSize> levels = SmallerLevelSizes(record);
        ASSERT_EQ(levels.size(), 6u);
        std::size_t at = 0;
        for (const LevelSize& level : levels) {
            const std::span<const std::uint8_t> blocks(record.smallerLevels.data() + at,
                                                       level.bytes);
            EXPECT_LE(MeanError(DecodeBlocks(kind.compression, level.width, level.height, blocks),
                                BoxFilter(picture, level.width, level.height).rgba),
                      kBound)
                << "compression " << kind.compression << ", level " << level.width << " x "
                << level.height;
            at += level.bytes;
        }
    }
}

// Three rows of one colour each on the line from (r, g, 255 - r): the best error a block can
// hold, found by trying every pair of end points along that line that 5:6:5 can store.
double BestOnLine(const std::array<int, 3>& reds, int green, bool threeColourMode) {
    const auto expand = [](int v, int bits) { return v << (8 - bits) | v >> (2 * bits - 8); };
    const int g = expand((green * 63 + 127) / 255, 6);
    double best = 1e9;
    for (int a = 0; a < 32; ++a) {
        for (int b = 0; b < 32; ++b) {
            const int ends[2][3] = {{expand(a, 5), g, expand((255 - expand(a, 5)) * 31 / 255, 5)},
                                    {expand(b, 5), g, expand((255 - expand(b, 5)) * 31 / 255, 5)}};
            for (const bool three : {false, threeColourMode}) {
                std::vector<std::array<int, 3>> palette{};
                for (int w = 0; w <= (three ? 2 : 3); ++w) {
                    std::array<int, 3> colour{};
                    for (int c = 0; c < 3; ++c) {
                        colour[c] = three ? (w == 2 ? (ends[0][c] + ends[1][c]) / 2 : ends[w][c])
                                          : (ends[0][c] * (3 - w) + ends[1][c] * w) / 3;
                    }
                    palette.push_back(colour);
                }
                int sum = 0;
                for (const int red : reds) {
                    int nearest = 1 << 20;
                    for (const auto& p : palette) {
                        nearest = std::min(nearest, std::abs(p[0] - red) + std::abs(p[1] - green) +
                                                        std::abs(p[2] - (255 - red)));
                    }
                    sum += nearest;
                }
                best = std::min(best, sum / 9.0);
            }
        }
    }
    return best;
}

TEST(DxtGradient, BalancedRampsComeCloseToTheBestABlockCanHold) {
    constexpr std::array<int, 3> kRamps[] = {
        {30, 200, 90}, {0, 127, 255}, {0, 85, 170}, {255, 128, 0}, {10, 60, 250},
        {200, 30, 90}, {90, 200, 30}, {0, 255, 0},  {40, 41, 200}, {128, 0, 255}};
    for (const auto& reds : kRamps) {
        for (const int green : {0, 200}) {
            for (const Kind& kind : kKinds) {
                const double best = BestOnLine(reds, green, kind.kind == TextureKind::kDxt1);
                for (std::uint32_t width = 1; width <= 16; ++width) {
                    RgbaImage picture{width, 3, {}};
                    for (const int red : reds) {
                        for (std::uint32_t x = 0; x < width; ++x) {
                            picture.rgba.insert(picture.rgba.end(),
                                                {std::uint8_t(red), std::uint8_t(green),
                                                 std::uint8_t(255 - red), 255});
                        }
                    }
                    const std::vector<std::uint8_t> decoded =
                        DecodeBlocks(kind.compression, width, 3,
                                     Built(picture, kind.kind, false, DxtQuality::Best).pixels);
                    EXPECT_LE(MeanError(decoded, picture.rgba) * 4 / 3, best + 0.5)
                        << "compression " << kind.compression << ", rows " << reds[0] << " "
                        << reds[1] << " " << reds[2] << ", green " << green << ", width " << width;
                }
            }
        }
    }
}

}  // namespace tinplate
