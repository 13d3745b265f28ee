// SPDX-License-Identifier: GPL-3.0-or-later
// txdtool thumbnail: the grid against each texture's own level scaled alike, refusals that
// leave nothing behind, and a run in a sandbox like a file manager's.
#include <cmath>
#include <filesystem>

#include "exchange/PictureFile.h"
#include "tests/txdtool/TxdtoolTest.h"
#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "txd/LevelChain.h"

namespace tinplate {

namespace {

RgbaImage ReadPng(const std::string& path) {
    return DecodePictureFile(ReadBytes(path), path, 0, 0);
}

// The level a cell of fittedWidth x fittedHeight is made from: the smallest stored one at
// least that large, decoded and scaled.
RgbaImage ExpectedCell(const TextureRecord& record, std::uint32_t fittedWidth,
                       std::uint32_t fittedHeight) {
    RgbaImage level = DecodeLevel(record, record.pixels, record.width, record.height);
    const std::vector<LevelSize> smaller = SmallerLevelSizes(record);
    for (const LevelSize& size : smaller) {
        if (size.width < fittedWidth || size.height < fittedHeight) {
            break;
        }
        const auto bytes = std::span(record.smallerLevels.data(), record.smallerLevels.size())
                               .subspan(size.offset - smaller.front().offset, size.bytes);
        level = DecodeLevel(record, bytes, size.width, size.height);
    }
    return BoxFilter(level, fittedWidth, fittedHeight);
}

// The part of `picture` at left, top of the cell's size.
std::vector<std::uint8_t> Region(const RgbaImage& picture, std::uint32_t left, std::uint32_t top,
                                 std::uint32_t width, std::uint32_t height) {
    std::vector<std::uint8_t> bytes;
    for (std::uint32_t y = top; y < top + height; ++y) {
        const auto row = picture.rgba.begin() + (std::size_t{y} * picture.width + left) * 4;
        bytes.insert(bytes.end(), row, row + std::size_t{width} * 4);
    }
    return bytes;
}

std::uint32_t Scaled(std::uint32_t side, std::uint32_t to, std::uint32_t from) {
    return std::max<std::uint32_t>(1, (side * to + from / 2) / from);
}

// Every cell of the thumbnail of `path` holds its texture's level scaled into the cell and
// centred; the rest of the picture is transparent.
void ExpectGrid(const std::string& path, std::uint32_t size) {
    SCOPED_TRACE(path + " at " + std::to_string(size));
    ASSERT_EQ(RunTxdtool({"thumbnail", "-s", std::to_string(size), path, "thumb.png"}).status, 0);
    const RgbaImage thumbnail = ReadPng("thumb.png");
    EXPECT_EQ(std::max(thumbnail.width, thumbnail.height), size);
    std::vector<TextureEntry> textures = ReadDictionary(path);
    std::stable_sort(textures.begin(), textures.end(), [](const auto& a, const auto& b) {
        return a.record.width * a.record.height > b.record.width * b.record.height;
    });
    textures.resize(std::min<std::size_t>(textures.size(), 16));
    const auto columns = static_cast<std::uint32_t>(std::ceil(std::sqrt(textures.size())));
    const auto edge = [&](std::uint32_t cells) { return cells * size / columns; };
    std::vector<bool> covered(std::size_t{thumbnail.width} * thumbnail.height);
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const TextureRecord& record = textures[i].record;
        const auto column = static_cast<std::uint32_t>(i % columns);
        const auto row = static_cast<std::uint32_t>(i / columns);
        const std::uint32_t cellWidth = edge(column + 1) - edge(column);
        const std::uint32_t cellHeight = edge(row + 1) - edge(row);
        const bool wide =
            std::uint64_t{record.width} * cellHeight >= std::uint64_t{record.height} * cellWidth;
        const std::uint32_t width =
            wide ? cellWidth : Scaled(record.width, cellHeight, record.height);
        const std::uint32_t height =
            wide ? Scaled(record.height, cellWidth, record.width) : cellHeight;
        // One texture is the picture; more are centred in their cells (of uneven sides).
        const bool alone = textures.size() == 1;
        const std::uint32_t left = alone ? 0 : edge(column) + (cellWidth - width) / 2;
        const std::uint32_t top = alone ? 0 : edge(row) + (cellHeight - height) / 2;
        ASSERT_LE(left + width, thumbnail.width) << textures[i].name;
        ASSERT_LE(top + height, thumbnail.height) << textures[i].name;
        EXPECT_EQ(Region(thumbnail, left, top, width, height),
                  ExpectedCell(record, width, height).rgba)
            << textures[i].name;
        for (std::uint32_t y = top; y < top + height; ++y) {
            for (std::uint32_t x = left; x < left + width; ++x) {
                covered[std::size_t{y} * thumbnail.width + x] = true;
            }
        }
    }
    for (std::size_t pixel = 0; pixel < covered.size(); ++pixel) {
        if (!covered[pixel]) {
            ASSERT_EQ(thumbnail.rgba[pixel * 4 + 3], 0) << "pixel " << pixel;
        }
    }
}

TEST_F(TxdtoolTest, ThumbnailCellsShowTheirTexturesLevels) {
    WriteSample();
    for (const std::uint32_t size : {256u, 100u, 3u}) {
        ExpectGrid("sample.txd", size);
    }
    for (const FixtureRow& row : FixtureTable("files.tsv")) {
        if (row.at("textures") != "0") {
            ExpectGrid(FixturePath(row.at("file")), 128);
        }
    }
    // One texture fills the picture, enlarged or reduced; more than 16 show the largest.
    struct Single {
        SampleTexture texture;
        std::uint32_t width, height;
    };
    for (const Single& single :
         {Single{MakePatternTexture("tall", 2, 4, 32, 0, 1, 0x500), 128, 256},
          Single{MakePatternTexture("wide", 512, 128, 16, 12, 10, 0x200), 256, 64}}) {
        WriteDictionary("one.txd", {single.texture});
        ExpectGrid("one.txd", 256);
        const RgbaImage picture = ReadPng("thumb.png");
        EXPECT_EQ(picture.width, single.width);
        EXPECT_EQ(picture.height, single.height);
    }
    std::vector<SampleTexture> many;
    for (std::uint16_t side = 1; side <= 20; ++side) {
        many.push_back(MakePatternTexture("t" + std::to_string(side), side, side, 8, 0, 1, 0x2500));
    }
    WriteDictionary("many.txd", many);
    ExpectGrid("many.txd", 64);
}

TEST_F(TxdtoolTest, ThumbnailOfAHugeLevelIsSampledToTheSizeAsked) {
    // No smaller level to take: every other block is read rather than 4 Mpixels decoded whole,
    // a last column of blocks that is only partly in the picture included.
    WriteDictionary("huge.txd", {MakePatternTexture("huge", 4100, 1024, 16, 12, 1, 0x200)});
    ASSERT_EQ(RunTxdtool({"thumbnail", "huge.txd", "thumb.png"}).status, 0);
    const RgbaImage picture = ReadPng("thumb.png");
    EXPECT_EQ(picture.width, 256u);
    EXPECT_EQ(picture.height, 64u);
}

TEST_F(TxdtoolTest, ThumbnailRefusalsWriteNothing) {
    const std::vector<std::uint8_t> sample = WriteSample();
    WriteBytes("empty.txd", ReadBytes(FixturePath("empty.txd")));
    WriteBytes("cut.txd", std::span(sample).first(sample.size() / 2));
    std::vector<std::uint8_t> lying = sample;
    lying[block::kDictionaryHeaderSize + block::kChunkSizeOffset] = 0xFF;  // past the file's end
    WriteBytes("lying.txd", lying);
    WriteBytes("picture.txd",
               std::vector<std::uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    WriteDictionary("nodraw.txd", {MakePatternTexture("odd", 8, 8, 16, 9, 1, 0x200)});
    const std::vector<std::string> before = scratch.Files();
    struct Case {
        std::vector<std::string> words;
        int status;
    };
    const Case cases[] = {
        {{"empty.txd", "out.png"}, 1},
        {{"cut.txd", "out.png"}, 1},
        {{"lying.txd", "out.png"}, 1},
        {{"picture.txd", "out.png"}, 1},
        {{"nodraw.txd", "out.png"}, 1},
        {{"gone.txd", "out.png"}, 1},
        {{"sample.txd", "no/such/folder/out.png"}, 1},
        {{"-s", "0", "sample.txd", "out.png"}, 2},
        {{"-s", "12x", "sample.txd", "out.png"}, 2},
        {{"sample.txd"}, 2},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words{"thumbnail"};
        words.insert(words.end(), c.words.begin(), c.words.end());
        const ToolRun run = RunTxdtool(words);
        EXPECT_EQ(run.status, c.status) << c.words[0] << ' ' << run.err;
        EXPECT_FALSE(run.err.empty()) << c.words[0];
        EXPECT_EQ(scratch.Files(), before) << c.words[0];
    }
}

// Runs in bubblewrap as GNOME runs thumbnailers: no network, nothing but /usr, the loader's
// cache, the build, the dictionary read-only and the output folder; no /tmp. GNOME mounts /proc
// and /dev too, and the loader needs /proc to find the private libraries ($ORIGIN).
TEST_F(TxdtoolTest, ThumbnailRunsInAFileManagersSandbox) {
    if (RunProgram({"bwrap", "--ro-bind", "/", "/", "--unshare-all", "true"}).status != 0) {
        GTEST_SKIP() << "bwrap is missing or cannot make namespaces here";
    }
    WriteSample();
    std::filesystem::create_directory("out");
    const std::string program = std::filesystem::canonical(TXDTOOL_PATH).string();
    const std::string build =
        std::filesystem::canonical(TXDTOOL_PATH).parent_path().parent_path().string();
    const std::string input = (scratch.path() / "sample.txd").string();
    const std::string output = (scratch.path() / "out").string();
    std::vector<std::string> words{"bwrap", "--unshare-all", "--die-with-parent"};
    words.insert(words.end(), {"--ro-bind", "/usr", "/usr", "--proc", "/proc", "--dev", "/dev"});
    for (const std::string link : {"/lib", "/lib64", "/bin"}) {
        if (std::filesystem::is_symlink(link)) {
            words.insert(words.end(),
                         {"--symlink", std::filesystem::read_symlink(link).string(), link});
        }
    }
    for (const std::string& path : {std::string("/etc/ld.so.cache"), build, input}) {
        words.insert(words.end(), {"--ro-bind", path, path});
    }
    words.insert(words.end(), {"--bind", output, output, "--chdir", "/", program, "thumbnail", "-s",
                               "128", input, output + "/thumb.png"});
    const ToolRun run = RunProgram(words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadPng("out/thumb.png").width, 128u);  // cells of 42 and 43
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator("out"), {}), 1);
}

}  // namespace

}  // namespace tinplate
