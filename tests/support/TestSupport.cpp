// SPDX-License-Identifier: GPL-3.0-or-later
// Scratch folders, fixture paths, sample dictionaries and checksums.
#include "tests/support/TestSupport.h"

#include <openssl/evp.h>
#include <squish.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "fileio/FileIo.h"
#include "txd/DictionaryReader.h"

namespace tinplate {

ScratchDir::ScratchDir() : m_previous(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "tinplate-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        throw std::runtime_error("cannot make a scratch folder");
    }
    m_path = pattern;
    std::filesystem::current_path(m_path);
}

ScratchDir::~ScratchDir() {
    std::error_code ignored;
    std::filesystem::current_path(m_previous, ignored);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> ScratchDir::Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(m_path)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Sha256Hex(std::span<const std::uint8_t> bytes) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
    std::string hex;
    char pair[3];
    for (unsigned int i = 0; i < length; ++i) {
        std::snprintf(pair, sizeof pair, "%02x", digest[i]);
        hex += pair;
    }
    return hex;
}

std::string FixturePath(const std::string& fileName) {
    return std::string(TINPLATE_FIXTURES_DIR) + "/" + fileName;
}

std::vector<FixtureRow> FixtureTable(const std::string& fileName) {
    std::ifstream table(FixturePath(fileName));
    std::vector<std::string> columns;
    std::vector<FixtureRow> rows;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::string> cells;
        std::stringstream cellsText(line);
        for (std::string cell; std::getline(cellsText, cell, '\t');) {
            cells.push_back(cell);
        }
        if (columns.empty()) {
            columns = cells;
            continue;
        }
        FixtureRow& row = rows.emplace_back();
        for (std::size_t i = 0; i < cells.size() && i < columns.size(); ++i) {
            row[columns[i]] = cells[i];
        }
    }
    if (rows.empty()) {
        throw std::runtime_error("no rows in " + FixturePath(fileName));
    }
    return rows;
}

std::string CopyFixtureHere(const std::string& fileName) {
    std::filesystem::copy_file(FixturePath(fileName), fileName,
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::permissions(
        fileName, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    return fileName;
}

void WriteBytes(const std::string& path, std::span<const std::uint8_t> bytes) {
    WriteNewFile(path, {bytes});
}

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    return ReadWholeFile(path);
}

std::vector<std::uint8_t> WriteDictionary(const std::string& path,
                                          const std::vector<SampleTexture>& textures) {
    auto bytes = BuildDictionary(textures);
    WriteBytes(path, bytes);
    return bytes;
}

TextureEntry PatternEntry(const std::string& name, std::uint16_t width, std::uint16_t height,
                          int depth, int compression, std::uint32_t alphaFlags, int paletteEntries,
                          std::uint32_t hasAlpha, int mipCount) {
    SampleTexture texture = MakePatternTexture(name, width, height, depth, compression, mipCount,
                                               alphaFlags, paletteEntries);
    texture.hasAlpha = hasAlpha;
    return ParseDictionary(BuildDictionary({texture}), "pattern.txd").at(0);
}

TextureRecord Scrambled(TextureRecord record) {
    for (auto* bytes : {&record.palette, &record.pixels}) {
        for (auto& byte : *bytes) {
            byte = static_cast<std::uint8_t>(~byte);
        }
    }
    return record;
}

std::vector<std::uint8_t> DecodeBlocks(int compression, std::uint32_t width, std::uint32_t height,
                                       std::span<const std::uint8_t> blocks) {
    const int flags = compression == 12   ? squish::kDxt1
                      : compression == 14 ? squish::kDxt3
                                          : squish::kDxt5;
    std::vector<std::uint8_t> rgba(std::size_t{width} * height * 4);
    squish::DecompressImage(rgba.data(), static_cast<int>(width), static_cast<int>(height),
                            blocks.data(), flags);
    return rgba;
}

std::vector<std::uint8_t> FlipRows(std::span<const std::uint8_t> bytes, std::size_t rowBytes) {
    std::vector<std::uint8_t> flipped;
    for (std::size_t end = bytes.size(); end >= rowBytes && rowBytes > 0; end -= rowBytes) {
        flipped.insert(flipped.end(), bytes.begin() + (end - rowBytes), bytes.begin() + end);
    }
    return flipped;
}

std::vector<std::uint8_t> BgraToRgba(std::span<const std::uint8_t> bgra) {
    std::vector<std::uint8_t> rgba(bgra.begin(), bgra.end());
    for (std::size_t i = 0; i + 4 <= rgba.size(); i += 4) {
        std::swap(rgba[i], rgba[i + 2]);
    }
    return rgba;
}

std::vector<std::uint8_t> MagickRgba(const std::string& path) {
    const std::string command =
        "convert '" + path + "' -auto-orient -depth 8 rgba:magick.rgba 2>/dev/null";
    if (std::system(command.c_str()) != 0) {
        throw std::runtime_error("ImageMagick cannot read " + path);
    }
    std::vector<std::uint8_t> rgba = ReadBytes("magick.rgba");
    std::remove("magick.rgba");
    return rgba;
}

}  // namespace tinplate
