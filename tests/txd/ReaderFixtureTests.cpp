// SPDX-License-Identifier: GPL-3.0-or-later
// Every dictionary written by the independent implementation reads as its facts in tests/data
// describe it: fields, places and checksums of every texture.
#include <gtest/gtest.h>

#include "tests/support/TestSupport.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

namespace {

std::uint64_t Number(const FixtureRow& row, const std::string& column) {
    return std::stoull(row.at(column), nullptr, 0);
}

TEST(FixtureTest, EveryFileAndTextureHasTheCountFieldsPlacesAndBytesItsFactsGive) {
    for (const FixtureRow& file : FixtureTable("files.tsv")) {
        const std::string& name = file.at("file");
        EXPECT_EQ(Sha256Hex(ReadBytes(FixturePath(name))), file.at("sha256")) << name;
        EXPECT_EQ(ReadDictionary(FixturePath(name)).size(), Number(file, "textures")) << name;
    }
    const auto textures = FixtureTable("textures.tsv");
    ASSERT_EQ(textures.size(), 27u);
    for (const FixtureRow& t : textures) {
        SCOPED_TRACE(t.at("file") + " " + t.at("name"));
        const auto bytes = ReadBytes(FixturePath(t.at("file")));
        const TextureEntry entry = ParseDictionary(bytes, t.at("file")).at(Number(t, "index"));
        const TextureRecord& r = entry.record;
        EXPECT_EQ(entry.name, t.at("name"));
        EXPECT_EQ(r.width, Number(t, "width"));
        EXPECT_EQ(r.height, Number(t, "height"));
        EXPECT_EQ(r.depth, static_cast<std::int16_t>(Number(t, "depth")));
        EXPECT_EQ(r.mipCount, static_cast<std::int16_t>(Number(t, "mips")));
        EXPECT_EQ(r.compression, static_cast<std::int32_t>(Number(t, "compression")));
        EXPECT_EQ(r.alphaFlags, Number(t, "alphaFlags"));
        EXPECT_EQ(r.hasAlpha, Number(t, "hasAlpha"));
        EXPECT_EQ(r.filterFlags, Number(t, "filterFlags"));
        EXPECT_EQ(r.headerOffset, Number(t, "blockOffset"));
        EXPECT_EQ(r.paletteOffset, Number(t, "paletteOffset"));
        EXPECT_EQ(r.paletteSize, Number(t, "paletteBytes"));
        EXPECT_EQ(r.pixelOffset, Number(t, "level0Offset"));
        EXPECT_EQ(r.pixelSize, Number(t, "level0Bytes"));
        EXPECT_EQ(r.palette.empty() ? "-" : Sha256Hex(r.palette), t.at("paletteSha256"));
        EXPECT_EQ(Sha256Hex(r.pixels), t.at("level0Sha256"));
        // The level data ends where the struct chunk ends: before the block's extension chunk.
        const std::uint64_t levelData = (Number(t, "levelDataBytes") + 3) / 4 * 4;
        ASSERT_EQ(r.levelDataEnd, r.pixelOffset + levelData);
        EXPECT_EQ(r.levelDataEnd + 12, r.headerOffset + 12 + Number(t, "blockSize"));
        EXPECT_EQ(Sha256Hex(std::span(bytes).subspan(r.pixelOffset, levelData)),
                  t.at("allLevelDataSha256"));
    }
}

}  // namespace

}  // namespace tinplate
