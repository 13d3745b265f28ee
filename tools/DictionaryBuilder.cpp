// SPDX-License-Identifier: GPL-3.0-or-later
// Building sample textures of every kind and writing them as dictionaries.
#include "tools/DictionaryBuilder.h"

#include <algorithm>

#include "txd/DictionaryWriter.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

std::uint8_t PatternByte(std::uint32_t x, std::uint32_t y, std::uint32_t level,
                         std::uint32_t salt) {
    return static_cast<std::uint8_t>((x * 7 + y * 13 + level * 31 + salt * 17 + ((x ^ y) & 8) * 5));
}

std::vector<std::uint8_t> PatternLevel(std::uint32_t width, std::uint32_t height, int depth,
                                       int compression, std::uint32_t level, std::uint32_t salt) {
    std::vector<std::uint8_t> bytes(LevelByteSize(width, height, depth, compression));
    const std::size_t blockSize = BlockBytesOfCompression(compression);
    if (blockSize == 0) {
        const std::uint32_t texel = static_cast<std::uint32_t>(std::max(depth / 8, 1));
        for (std::size_t i = 0; i < bytes.size(); ++i) {
            const std::uint32_t index = static_cast<std::uint32_t>(i / texel);
            bytes[i] = PatternByte(index % std::max(width, 1u), index / std::max(width, 1u), level,
                                   salt + static_cast<std::uint32_t>(i % texel) * 3);
        }
        return bytes;
    }
    // Block data: colour end points that follow a gradient over the blocks, varied indices.
    for (std::size_t b = 0; b < bytes.size() / blockSize; ++b) {
        std::uint8_t* block = bytes.data() + b * blockSize;
        std::uint8_t* colour = block + (blockSize - 8);
        for (std::size_t i = 0; i < blockSize - 8; ++i) {
            block[i] = PatternByte(static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(b),
                                   level, salt + 1);
        }
        const std::uint16_t c0 = static_cast<std::uint16_t>(0xF800 - b * 0x0841 + salt * 0x20);
        const std::uint16_t c1 = static_cast<std::uint16_t>(0x001F + b * 0x0820);
        colour[0] = static_cast<std::uint8_t>(c0);
        colour[1] = static_cast<std::uint8_t>(c0 >> 8);
        colour[2] = static_cast<std::uint8_t>(c1);
        colour[3] = static_cast<std::uint8_t>(c1 >> 8);
        for (int row = 0; row < 4; ++row) {
            colour[4 + row] = PatternByte(static_cast<std::uint32_t>(row),
                                          static_cast<std::uint32_t>(b), level, salt);
        }
    }
    return bytes;
}

}  // namespace

std::size_t LevelByteSize(std::uint32_t width, std::uint32_t height, int depth, int compression) {
    if (const std::uint32_t blockBytes = BlockBytesOfCompression(compression)) {
        const std::size_t blocks = static_cast<std::size_t>((width + 3) / 4) * ((height + 3) / 4);
        return blocks * blockBytes;
    }
    return static_cast<std::size_t>(width) * height * static_cast<std::size_t>(depth / 8);
}

SampleTexture MakePatternTexture(const std::string& name, std::uint16_t width, std::uint16_t height,
                                 int depth, int compression, int mipCount, std::uint32_t alphaFlags,
                                 int paletteEntries) {
    SampleTexture t;
    t.name = name;
    t.width = width;
    t.height = height;
    t.depth = static_cast<std::int8_t>(depth);
    t.compression = static_cast<std::int8_t>(compression);
    t.alphaFlags = alphaFlags;
    t.filterFlags = mipCount > 1 ? 0x1106 : 0x1101;
    const std::uint32_t salt = static_cast<std::uint32_t>(name.size() * 11 + width + height);
    if (depth == 8) {
        for (int i = 0; i < paletteEntries; ++i) {
            t.palette.push_back(
                static_cast<std::uint8_t>(i * 255 / std::max(paletteEntries - 1, 1)));
            t.palette.push_back(static_cast<std::uint8_t>((i * 37 + salt) & 0xFF));
            t.palette.push_back(
                static_cast<std::uint8_t>(255 - i * 255 / std::max(paletteEntries - 1, 1)));
            t.palette.push_back(static_cast<std::uint8_t>(i % 2 ? 255 : 128));
        }
    }
    std::uint32_t w = width;
    std::uint32_t h = height;
    for (int level = 0; level < std::max(mipCount, 1); ++level) {
        t.levels.push_back(
            PatternLevel(w, h, depth, compression, static_cast<std::uint32_t>(level), salt));
        if (depth == 8) {
            // Indices stay inside the palette, as in real files.
            for (std::uint8_t& index : t.levels.back()) {
                index = static_cast<std::uint8_t>(index % paletteEntries);
            }
        }
        w = std::max(w / 2, 1u);
        h = std::max(h / 2, 1u);
    }
    return t;
}

std::vector<std::uint8_t> BuildDictionary(const std::vector<SampleTexture>& textures) {
    std::vector<TextureEntry> entries;
    for (const SampleTexture& t : textures) {
        TextureEntry entry{t.name, {}};
        TextureRecord& r = entry.record;
        r.width = t.width;
        r.height = t.height;
        r.depth = t.depth;
        r.compression = t.compression;
        r.mipCount = static_cast<std::int16_t>(t.levels.size());
        r.hasAlpha = t.hasAlpha;
        r.alphaFlags = t.alphaFlags;
        r.filterFlags = t.filterFlags;
        r.palette = t.palette;
        std::vector<std::uint8_t> smaller;
        for (std::size_t i = 0; i < t.levels.size(); ++i) {
            if (i == 0) {
                r.pixels = t.levels[i];
            } else {
                smaller.insert(smaller.end(), t.levels[i].begin(), t.levels[i].end());
            }
        }
        r.smallerLevels = smaller;
        r.paletteSize = static_cast<std::uint32_t>(r.palette.size());
        r.pixelSize = static_cast<std::uint32_t>(r.pixels.size());
        r.laidOutAnew = true;
        entries.push_back(std::move(entry));
    }
    return DictionaryBytes({}, entries, "sample dictionary");
}

std::vector<SampleTexture> StandardSampleTextures() {
    using namespace compression;
    using namespace format;
    std::vector<SampleTexture> textures = {
        MakePatternTexture("zebra_pal8_64", 64, 64, 8, kNone, 7,
                           kLevels | kPalette256 | kPixel8888),
        MakePatternTexture("apple_pal32_32", 32, 32, 8, kNone, 1, kPalette32 | kPixel8888, 32),
        MakePatternTexture("odd_pal8_6x5", 6, 5, 8, kNone, 1, kPalette256 | kPixel8888),
        MakePatternTexture("mango_rgba_64x32", 64, 32, 32, kNone, 1, kPixel8888),
        MakePatternTexture("wide_rgba_512x128", 512, 128, 32, kNone, 1, kPixel888),
        MakePatternTexture("dxt1_64_mips", 64, 64, 16, kDxt1, 7, kLevels | kPixel565),
        MakePatternTexture("dxt3_32", 32, 32, 16, kDxt3, 1, kPixel4444),
        MakePatternTexture("dxt5_32", 32, 32, 16, kDxt5, 1, kPixel4444),
        MakePatternTexture("rgb565_16", 16, 16, 16, kNone, 1, kPixel1555),
    };
    textures[3].hasAlpha = 1;
    textures[6].hasAlpha = 1;
    textures[7].hasAlpha = 1;
    return textures;
}

}  // namespace tinplate
