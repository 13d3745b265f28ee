// SPDX-License-Identifier: GPL-3.0-or-later
// Every dictionary written by the independent implementation reads as its README describes.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>

#include "DictionaryReader.h"
#include "TestSupport.h"

namespace {

using Row = std::vector<std::string>;

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" `");
    const auto last = text.find_last_not_of(" `");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

// The README's table rows that describe a dictionary file, keyed by their column count.
std::map<std::size_t, std::vector<Row>> ReadmeRows() {
    std::ifstream readme(FixturePath("README.md"));
    std::map<std::size_t, std::vector<Row>> rows;
    std::string line;
    while (std::getline(readme, line)) {
        if (line.rfind("| ", 0) != 0 || line.find(".txd |") == std::string::npos) {
            continue;
        }
        Row cells;
        std::stringstream cellsText(line.substr(1));
        std::string cell;
        while (std::getline(cellsText, cell, '|')) {
            cells.push_back(Trim(cell));
        }
        rows[cells.size()].push_back(cells);
    }
    return rows;
}

std::uint32_t Number(const std::string& cell) {
    return std::stoul(cell.substr(0, cell.find(' ')));
}

// The texture a README row names by its file and index.
TextureEntry Texture(const Row& row) {
    return ReadDictionary(FixturePath(row[0])).at(Number(row[1]));
}

TEST(FixtureTest, ReadsEveryFileWithTheTextureCountItsReadmeGives) {
    const auto files = ReadmeRows()[6];
    ASSERT_EQ(files.size(), 7u);
    for (const Row& file : files) {
        EXPECT_EQ(ReadDictionary(FixturePath(file[0])).size(), Number(file[2])) << file[0];
    }
}

TEST(FixtureTest, HeaderFieldsAndChecksumsMatchTheReadme) {
    const auto textures = ReadmeRows()[13];
    ASSERT_EQ(textures.size(), 27u);
    for (const Row& t : textures) {
        SCOPED_TRACE(t[0] + " " + t[2]);
        const TextureEntry entry = Texture(t);
        const TextureRecord& r = entry.record;
        EXPECT_EQ(entry.name, t[2]);
        EXPECT_EQ(r.width, Number(t[3]));
        EXPECT_EQ(r.height, Number(t[4]));
        EXPECT_EQ(r.depth, static_cast<std::int16_t>(Number(t[5])));
        EXPECT_EQ(r.mipCount, static_cast<std::int16_t>(Number(t[6])));
        EXPECT_EQ(r.compression, static_cast<std::int32_t>(Number(t[7])));
        EXPECT_EQ(r.alphaFlags, Number(t[8]));
        EXPECT_EQ(r.hasAlpha, Number(t[9]));
        EXPECT_EQ(t[11] == "-" ? "-" : Sha256Hex(r.palette), t[11]);
        EXPECT_EQ(Sha256Hex(r.pixels), t[12]);
    }
}

TEST(FixtureTest, OffsetsAndSizesMatchTheReadme) {
    const auto places = ReadmeRows()[11];
    ASSERT_EQ(places.size(), 27u);
    for (const Row& p : places) {
        SCOPED_TRACE(p[0] + " " + p[1]);
        const TextureRecord r = Texture(p).record;
        EXPECT_EQ(r.headerOffset, Number(p[2]));
        EXPECT_EQ(r.filterFlags, std::stoul(p[4], nullptr, 16));
        EXPECT_EQ(r.paletteOffset, Number(p[5]));
        EXPECT_EQ(r.paletteSize, Number(p[6]));
        EXPECT_EQ(r.pixelOffset, Number(p[7]));
        EXPECT_EQ(r.pixelSize, Number(p[8]));
        // The level data ends where the struct chunk ends: before the block's extension chunk.
        const std::uint32_t levelData = (Number(p[9]) + 3) / 4 * 4;
        EXPECT_EQ(r.levelDataEnd, r.pixelOffset + levelData);
        EXPECT_EQ(r.levelDataEnd + 12, r.headerOffset + 12 + Number(p[3]));
    }
}

}  // namespace
