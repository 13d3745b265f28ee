// SPDX-License-Identifier: GPL-3.0-or-later
// Every level of the PC fixtures decodes to the picture the independent implementation
// decoded: exactly for palettes and 32-bit texels, within 1 per channel where the two round
// 5- and 6-bit channels and DXT colours differently (their rounding is checked exactly here).
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "texture/LevelDecode.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"

namespace tinplate {

namespace {

using Rgba = std::array<std::uint8_t, 4>;

// Channels widened the fixtures' way: rounded down, not replicated.
std::uint8_t Widen(std::uint32_t value, std::uint32_t bits) {
    const std::uint32_t max = (1u << bits) - 1;
    return static_cast<std::uint8_t>((value & max) * 255 / max);
}

Rgba Colour565(std::uint16_t c) {
    return {Widen(c >> 11, 5), Widen(c >> 5, 6), Widen(c, 5), 255};
}

// The colours of one 4 x 4 block, texels in row order.
std::array<Rgba, 16> DecodeBlock(const std::uint8_t* block, int compression) {
    const std::uint8_t* colour = compression == 12 ? block : block + 8;
    const std::uint16_t c0 = colour[0] | colour[1] << 8;
    const std::uint16_t c1 = colour[2] | colour[3] << 8;
    const Rgba a = Colour565(c0), b = Colour565(c1);
    std::array<Rgba, 4> palette{a, b, a, b};
    const bool threeColours = compression == 12 && c0 <= c1;
    for (int k = 0; k < 3; ++k) {
        palette[2][k] =
            static_cast<std::uint8_t>(threeColours ? (a[k] + b[k]) / 2 : (2 * a[k] + b[k]) / 3);
        palette[3][k] = static_cast<std::uint8_t>(threeColours ? 0 : (a[k] + 2 * b[k]) / 3);
    }
    palette[3][3] = threeColours ? 0 : 255;
    std::array<Rgba, 16> texels{};
    const std::uint32_t indices = colour[4] | colour[5] << 8 | colour[6] << 16 | colour[7] << 24;
    for (int i = 0; i < 16; ++i) {
        texels[i] = palette[(indices >> (2 * i)) & 3];
    }
    return texels;
}

// The fixtures' decode of the 16-bit and block-compressed kinds. DXT3 and DXT5 alpha, which
// every decoder gets alike, is taken from `decoded`.
std::vector<std::uint8_t> ReferenceDecode(const TextureRecord& r,
                                          std::span<const std::uint8_t> level, std::uint32_t width,
                                          std::uint32_t height,
                                          const std::vector<std::uint8_t>& decoded) {
    std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
    const auto put = [&](std::uint32_t x, std::uint32_t y, Rgba texel) {
        const std::size_t at = (std::size_t{y} * width + x) * 4;
        if (r.hasAlpha == 0) {
            texel[3] = 255;
        } else if (r.compression == 14 || r.compression == 15) {
            texel[3] = decoded[at + 3];
        }
        std::copy(texel.begin(), texel.end(), rgba.begin() + static_cast<std::ptrdiff_t>(at));
    };
    if (r.depth == 16 && r.compression == 0) {
        for (std::uint32_t i = 0; i < width * height; ++i) {
            const std::uint16_t t = level[2 * i] | level[2 * i + 1] << 8;
            const bool opaque = (r.alphaFlags & 0x0F00) == 0x0A00 || (t & 0x8000);
            put(i % width, i / width,
                {Widen(t >> 10, 5), Widen(t >> 5, 5), Widen(t, 5), std::uint8_t(opaque ? 255 : 0)});
        }
        return rgba;
    }
    const std::size_t blockBytes = r.compression == 12 ? 8 : 16;
    const std::uint32_t across = (width + 3) / 4;
    for (std::uint32_t by = 0; by < (height + 3) / 4; ++by) {
        for (std::uint32_t bx = 0; bx < across; ++bx) {
            const auto texels = DecodeBlock(
                level.data() + (std::size_t{by} * across + bx) * blockBytes, r.compression);
            for (std::uint32_t i = 0; i < 16; ++i) {
                const std::uint32_t x = bx * 4 + i % 4, y = by * 4 + i / 4;
                if (x < width && y < height) {
                    put(x, y, texels[i]);
                }
            }
        }
    }
    return rgba;
}

TEST(PcDecodeTest, EveryDecodedLevelMatchesTheFixturesPicture) {
    int exact = 0, close = 0;
    for (const FixtureRow& l : FixtureTable("pc/levels.tsv")) {
        if (l.at("rgbaSha256") == "-" || l.at("file").starts_with("p5_")) {
            continue;  // platform 5 levels are checked through their conversion
        }
        SCOPED_TRACE(l.at("file") + " " + l.at("name") + " level " + l.at("level"));
        const auto textures = ReadDictionary(FixturePath("pc/" + l.at("file")));
        const TextureRecord& r = textures.at(std::stoul(l.at("index"))).record;
        const std::size_t index = std::stoul(l.at("level"));
        const std::uint32_t width = std::stoul(l.at("width")), height = std::stoul(l.at("height"));
        const std::span<const std::uint8_t> level =
            index == 0 ? std::span<const std::uint8_t>(r.pixels.data(), r.pixels.size())
                       : SmallerLevelBytes(r).at(index - 1);
        const std::vector<std::uint8_t> decoded = DecodeLevel(r, level, width, height).rgba;
        if (r.depth == 8 || r.depth == 32) {
            EXPECT_EQ(Sha256Hex(decoded), l.at("rgbaSha256"));
            ++exact;
            continue;
        }
        const std::vector<std::uint8_t> reference =
            ReferenceDecode(r, level, width, height, decoded);
        ASSERT_EQ(Sha256Hex(reference), l.at("rgbaSha256"));
        ASSERT_EQ(decoded.size(), reference.size());
        for (std::size_t i = 0; i < decoded.size(); ++i) {
            ASSERT_LE(std::abs(decoded[i] - reference[i]), 1) << "byte " << i;
        }
        ++close;
    }
    EXPECT_EQ(exact, 84);
    EXPECT_EQ(close, 82);
}

}  // namespace

}  // namespace tinplate
