// SPDX-License-Identifier: GPL-3.0-or-later
// The PC dictionaries of tests/data/pc read as their facts describe them, stay mapped, are
// written back byte for byte (kept or laid out anew), and hostile variants are refused.
#include <gtest/gtest.h>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

std::uint64_t Number(const FixtureRow& row, const std::string& column) {
    return std::stoull(row.at(column), nullptr, 0);
}

std::string PcPath(const std::string& file) {
    return FixturePath("pc/" + file);
}

// The palette as the file stores it (the record keeps B, G, R, A on every platform).
std::vector<std::uint8_t> StoredPalette(const TextureRecord& r) {
    const ByteBuffer& palette = r.palette;
    return LayoutOf(r).StoresRgbaPalette() ? SwappedPalette(palette)
                                           : std::vector<std::uint8_t>(palette);
}

TEST(PcLayoutTest, EveryTextureHasTheFieldsPlacesAndBytesItsFactsGive) {
    for (const FixtureRow& file : FixtureTable("pc/files.tsv")) {
        EXPECT_EQ(Sha256Hex(ReadBytes(PcPath(file.at("file")))), file.at("sha256"));
    }
    const auto textures = FixtureTable("pc/textures.tsv");
    ASSERT_EQ(textures.size(), 61u);
    for (const FixtureRow& t : textures) {
        SCOPED_TRACE(t.at("file") + " " + t.at("name"));
        const MappedDictionary read = ReadMappedDictionary(PcPath(t.at("file")));
        const TextureEntry& entry = read.textures.at(Number(t, "index"));
        const TextureRecord& r = entry.record;
        EXPECT_EQ(entry.name, t.at("name"));
        EXPECT_EQ(r.platform, Number(t, "platform"));
        EXPECT_EQ(r.width, Number(t, "width"));
        EXPECT_EQ(r.height, Number(t, "height"));
        EXPECT_EQ(r.depth, static_cast<std::int16_t>(Number(t, "depth")));
        EXPECT_EQ(r.mipCount, static_cast<std::int16_t>(Number(t, "levels")));
        EXPECT_EQ(r.alphaFlags, Number(t, "format"));
        EXPECT_EQ(r.hasAlpha, Number(t, "hasAlpha"));
        EXPECT_EQ(r.filterFlags, Number(t, "filter"));
        if (r.platform == platform::kD3d9) {
            EXPECT_EQ(r.d3dFormat, Number(t, "kindWord"));
            EXPECT_EQ(r.d3dFlags, Number(t, "flags"));
        }
        EXPECT_EQ(r.headerOffset, Number(t, "blockOffset"));
        EXPECT_EQ(r.blockEnd - r.headerOffset - 12, Number(t, "blockSize"));
        if (t.at("paletteBytes") == "-") {
            EXPECT_EQ(r.paletteSize, 0u);
        } else {
            EXPECT_EQ(r.paletteOffset, Number(t, "paletteOffset"));
            EXPECT_EQ(r.paletteSize, Number(t, "paletteBytes"));
            EXPECT_EQ(Sha256Hex(StoredPalette(r)), t.at("paletteSha256"));
        }
        // Opening copies no level: every level is still the mapped file's bytes.
        EXPECT_TRUE(r.pixels.IsShared());
        EXPECT_TRUE(r.smallerLevels.empty() || r.smallerLevels.IsShared());
    }
}

TEST(PcLayoutTest, EveryLevelLiesWhereItsFactsSayAndHoldsItsBytes) {
    const auto levels = FixtureTable("pc/levels.tsv");
    ASSERT_EQ(levels.size(), 242u);
    for (const FixtureRow& l : levels) {
        SCOPED_TRACE(l.at("file") + " " + l.at("name") + " level " + l.at("level"));
        const MappedDictionary read = ReadMappedDictionary(PcPath(l.at("file")));
        const TextureRecord& r = read.textures.at(Number(l, "index")).record;
        const std::size_t level = Number(l, "level");
        std::span<const std::uint8_t> bytes(r.pixels.data(), r.pixels.size());
        if (level > 0) {
            const auto smaller = SmallerLevelBytes(r);
            ASSERT_LT(level - 1, smaller.size());
            bytes = smaller[level - 1];
            EXPECT_EQ(SmallerLevelSizes(r)[level - 1].width, Number(l, "width"));
        }
        EXPECT_EQ(bytes.data() - read.file->bytes().data(), Number(l, "offset"));
        EXPECT_EQ(bytes.size(), Number(l, "bytes"));
        EXPECT_EQ(Sha256Hex(bytes), l.at("storedSha256"));
    }
}

TEST(PcLayoutTest, DictionariesAreWrittenBackIdenticalKeptOrLaidOutAnew) {
    for (const FixtureRow& file : FixtureTable("pc/files.tsv")) {
        SCOPED_TRACE(file.at("file"));
        const auto original = ReadBytes(PcPath(file.at("file")));
        auto textures = ParseDictionary(original, file.at("file"));
        EXPECT_EQ(DictionaryBytes(original, textures, "out.txd"), original);
        for (TextureEntry& texture : textures) {
            texture.record.laidOutAnew = true;
        }
        EXPECT_EQ(DictionaryBytes({}, textures, "out.txd"), original);
    }
}

std::vector<std::uint8_t> Changed(std::string file, std::size_t at, std::uint32_t word,
                                  int bytes = 4) {
    auto changed = ReadBytes(PcPath(file));
    for (int i = 0; i < bytes; ++i) {
        changed.at(at + i) = static_cast<std::uint8_t>(word >> (8 * i));
    }
    return changed;
}

TEST(PcLayoutTest, HostileBlocksAreRefusedWithTheirReason) {
    // Offsets from the facts: p9_dxt's first block at 28 (level 0's size word at 140), its
    // second block's level 1 word at 32924 + 116 + 2048; p8_pal's first level word at 1164.
    auto cutInWord = ReadBytes(PcPath("p8_dxt.txd"));
    cutInWord.resize(32924 + 116 + 2048 + 2);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bytes;
        const char* reason;
    };
    const Case cases[] = {
        {"platform 7", Changed("p9_dxt.txd", 28 + 24, 7),
         "texture 1: platform id 7 is not supported"},
        {"platform 6 later", Changed("p8_pal.txd", 6665 + 24, 6),
         "texture 2: platform id 6 is not supported"},
        {"size word past its block", Changed("p9_dxt.txd", 140, 0x7FFFFFF0),
         "level 0 (256 x 256) says 2147483632 bytes, past the end"},
        {"size word off by one", Changed("p8_pal.txd", 1164, 4095),
         "says 4095 bytes; its kind takes 4096"},
        {"unknown FourCC", Changed("p9_dxt.txd", 28 + 100, 0x32545844),
         "FourCC \"DXT2\" is not supported"},
        {"unknown D3D format", Changed("p9_rgb.txd", 28 + 100, 50),
         "D3D format 50 is not supported"},
        {"format for another depth", Changed("p9_rgb.txd", 28 + 100, 23),
         "D3D format 23 does not go with a depth of 32 bits"},
        {"palette flag on DXT (9)", Changed("p9_dxt.txd", 28 + 96, 0x2200), "asks for a palette"},
        {"palette flag on DXT (8)", Changed("p8_dxt.txd", 28 + 96, 0x4200), "asks for a palette"},
        {"unknown compression byte", Changed("p8_dxt.txd", 28 + 111, 2, 1),
         "compression 2 is not supported"},
        {"more levels than the chain", Changed("p8_pal.txd", 28 + 109, 8, 1), "claims 8 levels"},
        {"no level", Changed("p9_pal.txd", 28 + 109, 0, 1), "claims 0 levels"},
        {"cut inside a size word", cutInWord, "truncated"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        try {
            ParseDictionary(c.bytes, "hostile.txd");
            ADD_FAILURE() << "read without complaint";
        } catch (const FileError& error) {
            EXPECT_EQ(error.fileName(), "hostile.txd");
            EXPECT_NE(error.reason().find(c.reason), std::string::npos) << error.reason();
        }
    }
}

}  // namespace

}  // namespace tinplate
