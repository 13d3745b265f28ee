// SPDX-License-Identifier: GPL-3.0-or-later
// The PS2 dictionaries of tests/data/ps2 read as their facts describe them (header fields,
// every level's stored and decoded bytes), are written back byte for byte around an edit, and
// hostile variants are refused.
#include <gtest/gtest.h>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryWriter.h"
#include "txd/LevelChain.h"
#include "txd/Ps2GsAllocation.h"
#include "txd/Ps2Texels.h"

namespace tinplate {

namespace {

using namespace ps2;

std::uint64_t Number(const FixtureRow& row, const std::string& column, int base = 0) {
    return std::stoull(row.at(column), nullptr, base);
}

std::vector<std::uint8_t> Ps2Bytes(const std::string& file) {
    return ReadBytes(FixturePath("ps2/" + file));
}

// Where a block's raster struct starts: behind the two string chunks.
std::uint64_t RasterAt(std::span<const std::uint8_t> file, std::uint64_t block) {
    const std::uint32_t name = ReadLe32(file, block + 36);
    return block + 56 + name + ReadLe32(file, block + 48 + name);
}

Kind KindOfRow(const FixtureRow& t) {
    const std::string kind = t.at("kind");
    return kind == "8-bit indices"   ? Kind::kPal8
           : kind == "4-bit indices" ? Kind::kPal4
           : kind == "8888"          ? Kind::kRgba8888
                                     : Kind::kRgba1555;
}

std::vector<std::uint8_t> Levels(const TextureRecord& r, std::size_t level) {
    if (level == 0) {
        return std::vector<std::uint8_t>(r.pixels);
    }
    const auto span = SmallerLevelBytes(r).at(level - 1);
    return {span.begin(), span.end()};
}

TEST(Ps2LayoutTest, EveryTextureAndLevelHasTheFieldsAndChecksumsItsFactsGive) {
    const auto levels = FixtureTable("ps2/levels.tsv");
    const auto palettes = FixtureTable("ps2/palettes.tsv");
    std::size_t levelsSeen = 0;
    for (const FixtureRow& t : FixtureTable("ps2/textures.tsv")) {
        SCOPED_TRACE(t.at("file") + " " + t.at("name"));
        const auto file = Ps2Bytes(t.at("file"));
        const TextureEntry entry = ParseDictionary(file, t.at("file")).at(Number(t, "index"));
        const TextureRecord& r = entry.record;
        const Kind kind = KindOfRow(t);
        EXPECT_EQ(entry.name, t.at("name"));
        EXPECT_EQ(r.maskName, t.at("mask") == "-" ? "" : t.at("mask"));
        EXPECT_EQ(std::to_string(r.width) + "x" + std::to_string(r.height), t.at("size"));
        EXPECT_EQ(r.depth, static_cast<std::int16_t>(Number(t, "depth")));
        EXPECT_EQ(r.alphaFlags | r.rasterType, Number(t, "format"));
        EXPECT_EQ(r.mipCount, static_cast<std::int16_t>(Number(t, "levels")));
        EXPECT_EQ(r.filterFlags, Number(t, "filter"));
        EXPECT_EQ(r.headerOffset, Number(t, "blockOffset"));
        EXPECT_EQ(r.blockEnd - r.headerOffset - 12, Number(t, "blockBytes"));

        // The header as stored, and as the allocation computes it for a new block.
        const RasterHeader h = ParseRasterHeader(
            std::span(file).subspan(RasterAt(file, r.headerOffset) + 24, kRasterHeaderSize));
        const GsAllocation a =
            AllocateRaster(kind, r.width, r.height, r.mipCount > 1, /*swizzlePal4=*/true);
        for (const auto& [stored, computed, column] : {std::tuple{h.tex0, a.tex0, "tex0"},
                                                       {h.miptbp1, a.miptbp1, "miptbp1"},
                                                       {h.miptbp2, a.miptbp2, "miptbp2"}}) {
            EXPECT_EQ(stored, Number(t, column, 16)) << column;
            EXPECT_EQ(computed, stored) << column;
        }
        for (const auto& [stored, computed, column] :
             {std::tuple{h.tex1Low, a.tex1Low, "tex1"},
              {h.paletteBase, a.paletteBase, "paletteBase"},
              {h.pixelAreaSize, a.pixelAreaSize, "pixelArea"},
              {h.paletteAreaSize, a.paletteAreaSize, "paletteArea"},
              {h.totalSize, a.totalSize, "totalWords"}}) {
            EXPECT_EQ(stored, Number(t, column)) << column;
            EXPECT_EQ(computed, stored) << column;
        }

        for (const FixtureRow& l : levels) {
            if (l.at("file") != t.at("file") || l.at("index") != t.at("index")) {
                continue;
            }
            ++levelsSeen;
            const std::size_t i = Number(l, "level");
            SCOPED_TRACE("level " + l.at("level"));
            const LevelUpload& upload = a.levels.at(i);
            const auto stored =
                std::span(file).subspan(Number(l, "gif"), kGifPacketSize + Number(l, "bytes"));
            EXPECT_TRUE(std::equal(upload.packet.begin(), upload.packet.end(), stored.begin()));
            EXPECT_EQ(Sha256Hex(stored.subspan(kGifPacketSize)), l.at("storedSha256"));
            // Put back over its old bytes (whose alpha values it keeps), the level is unchanged.
            const auto level = Levels(r, i);
            std::vector<std::uint8_t> encoded(stored.begin() + kGifPacketSize, stored.end());
            LevelToStored(kind, level, upload.width, upload.height, upload.transfer, encoded);
            EXPECT_EQ(Sha256Hex(encoded), l.at("storedSha256"));
            EXPECT_EQ(Sha256Hex(LibraryRgba(kind, level, r.palette, upload.width, upload.height)),
                      l.at("rgbaSha256"));
        }
        for (const FixtureRow& p : palettes) {
            if (p.at("file") != t.at("file") || p.at("index") != t.at("index")) {
                continue;
            }
            const auto stored = std::span(file).subspan(Number(p, "offset"), Number(p, "bytes"));
            EXPECT_EQ(Sha256Hex(stored), p.at("storedSha256"));
            std::vector<std::uint8_t> encoded(stored.begin(), stored.end());
            PaletteToStored(kind, r.palette, encoded);
            EXPECT_EQ(Sha256Hex(encoded), p.at("storedSha256"));
            EXPECT_EQ(Sha256Hex(BgraToRgba(r.palette)), p.at("rgbaSha256"));
        }
    }
    EXPECT_EQ(levelsSeen, levels.size());
}

TEST(Ps2LayoutTest, AnEditedTextureReadsBackAndItsNeighboursKeepTheirBlocks) {
    for (const char* name : {"g_pal.txd", "g_rgb.txd"}) {
        SCOPED_TRACE(name);
        const auto file = Ps2Bytes(name);
        auto textures = ParseDictionary(file, name);
        EXPECT_EQ(DictionaryBytes(file, textures, name), file);

        TextureRecord& edited = textures[2].record;
        const auto pixels = FlipRows(edited.pixels, edited.pixels.size() / edited.height);
        edited.pixels = ByteBuffer(pixels);
        textures[3].name = "renamed_" + textures[3].name;
        const auto written = DictionaryBytes(file, textures, name);
        const auto reread = ParseDictionary(written, name);
        ASSERT_EQ(reread.size(), textures.size());
        EXPECT_EQ(std::vector<std::uint8_t>(reread[2].record.pixels), pixels);
        EXPECT_EQ(reread[3].name, textures[3].name);
        for (std::size_t i = 0; i < textures.size(); ++i) {
            EXPECT_EQ(std::vector<std::uint8_t>(reread[i].record.smallerLevels),
                      std::vector<std::uint8_t>(textures[i].record.smallerLevels));
            EXPECT_EQ(std::vector<std::uint8_t>(reread[i].record.palette),
                      std::vector<std::uint8_t>(textures[i].record.palette));
            if (i != 2 && i != 3) {
                const TextureRecord& o = textures[i].record;
                const TextureRecord& n = reread[i].record;
                EXPECT_TRUE(std::equal(file.begin() + o.headerOffset, file.begin() + o.blockEnd,
                                       written.begin() + n.headerOffset,
                                       written.begin() + n.blockEnd))
                    << i;
            }
        }
    }
}

// Hostile variants of g_pal.txd's second texture ("pal8_64": 64x64, one level, raster at
// 89240 + 56 + 8 + 4).
TEST(Ps2LayoutTest, HostileBlocksAreRefusedNamingTheReason) {
    const auto file = Ps2Bytes("g_pal.txd");
    const std::uint64_t block = 89240;
    const std::uint64_t raster = RasterAt(file, block);
    const std::uint64_t header = raster + 24;
    const std::uint64_t firstPacket = raster + 100;
    struct Case {
        const char* what;
        std::uint64_t at;
        std::uint32_t value;
        const char* reason;
    };
    const Case cases[] = {
        {"pixel area size", header + 48, 4176 + 16, "disagrees with the pixel and palette"},
        {"palette area size", header + 52, 80 + 64, "disagrees with the pixel and palette"},
        {"packet quadwords", firstPacket + 64, 4096 / 16 + 1, "GIF packet of level 0"},
        {"packet rectangle", firstPacket + 32, 16, "GIF packet of level 0"},
        {"level count", header + 28, 1 << 2, "claims 2 levels"},
        {"16-bit palette entries", header + 12, 0x00022104, "palette entries"},
        {"888 texels", header + 8, 24, "888"},
        {"side", header, 100, "powers of two"},
        {"header version", header + 14 - 2, 0x00012504, "without GIF packets"},
        {"raster struct size", raster + 4, 5464, "past the end of its block"},
        {"extension size", block + 5464 - 12, 100, "past the end of its block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto hostile = file;
        WriteLe32(hostile, c.at, c.value);
        try {
            ParseDictionary(hostile, "hostile.txd");
            ADD_FAILURE() << "read";
        } catch (const FileError& e) {
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
    }
    const std::vector<std::uint8_t> cut(file.begin(), file.begin() + block + 2000);
    EXPECT_THROW(ParseDictionary(cut, "cut.txd"), FileError);
}

}  // namespace

}  // namespace tinplate
