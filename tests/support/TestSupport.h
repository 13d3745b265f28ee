// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of every test: scratch folders, fixtures, sample dictionaries and checksums.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <vector>

#include "tools/DictionaryBuilder.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// A private temporary folder that is the current directory for the test's lifetime: the
// editor's working files land in the current directory, and tests must not see each other's.
class ScratchDir {
public:
    ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    ~ScratchDir();

    const std::filesystem::path& path() const { return m_path; }
    // Names of the files in the folder, sorted.
    std::vector<std::string> Files() const;

private:
    std::filesystem::path m_previous;
    std::filesystem::path m_path;
};

std::string Sha256Hex(std::span<const std::uint8_t> bytes);

// Path of a third-party fixture dictionary in tests/data (copy it before saving).
std::string FixturePath(const std::string& fileName);

// The rows of a tab-separated table in tests/data ("files.tsv", "textures.tsv"), each cell
// under its column's name from the header row; lines starting with '#' are notes.
using FixtureRow = std::map<std::string, std::string>;
std::vector<FixtureRow> FixtureTable(const std::string& fileName);

// Copies a fixture into the current directory and returns the copy's name.
std::string CopyFixtureHere(const std::string& fileName);

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes);
std::vector<std::uint8_t> ReadBytes(const std::string& path);

// Writes a dictionary of `textures` and returns its bytes.
std::vector<std::uint8_t> WriteDictionary(const std::string& path,
                                          const std::vector<SampleTexture>& textures);

// A pattern texture as the editor holds it after reading it from a dictionary.
TextureEntry PatternEntry(const std::string& name, std::uint16_t width, std::uint16_t height,
                          int depth, int compression, std::uint32_t alphaFlags,
                          int paletteEntries = 256, std::uint32_t hasAlpha = 0, int mipCount = 1);

// Every palette and pixel byte inverted, so an import must put back every byte it claims to.
TextureRecord Scrambled(TextureRecord record);

// Blocks of compression 12, 14 or 15 decoded by libsquish: R, G, B, A, rows top-down.
std::vector<std::uint8_t> DecodeBlocks(int compression, std::uint32_t width, std::uint32_t height,
                                       std::span<const std::uint8_t> blocks);

// Rows of `bytes` in the other vertical order.
std::vector<std::uint8_t> FlipRows(std::span<const std::uint8_t> bytes, std::size_t rowBytes);

// B, G, R, A pixels as R, G, B, A.
std::vector<std::uint8_t> BgraToRgba(std::span<const std::uint8_t> bgra);

// What ImageMagick reads from `path`: R, G, B, A, rows top-down, origin applied.
std::vector<std::uint8_t> MagickRgba(const std::string& path);

}  // namespace tinplate
