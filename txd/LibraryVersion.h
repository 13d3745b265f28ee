// SPDX-License-Identifier: GPL-3.0-or-later
// The library version and build every chunk header carries, as a word and as text.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tinplate {

// The engine library version a file was written for, written 0x3VJN (3.6.0.3 is 0x36003),
// and the build number beside it. Versions up to 3.1.0.0 are stored without a build.
struct LibraryVersion {
    std::uint32_t version = 0;
    std::optional<std::uint16_t> build;
};

inline constexpr std::uint16_t kUnknownBuild = 0xFFFF;

// The third word of every chunk header.
std::uint32_t VersionWord(const LibraryVersion& version);
LibraryVersion DecodeVersionWord(std::uint32_t word);
// "3.6.0.3".
std::string VersionText(std::uint32_t version);
// "3.6.0.3" (major 3; the next two 0-15, the last 0-63, and 0 for 3.1.0.0 and below) or a
// version word in hexadecimal ("0x1803FFFF"); nothing for any other text.
std::optional<std::uint32_t> ParseVersionWord(const std::string& text);

// The version word of a dictionary's own header (0 for a file too short to have one).
std::uint32_t DictionaryVersionWord(std::span<const std::uint8_t> file);

// The file with the version word of every chunk header set to `word`: the dictionary, its
// struct, every texture block and its chunks, and the chunks inside extensions (whose own
// contents are not looked into). Nothing else changes, so offsets read from `file` still hold.
// Chunks that claim more bytes than their parent has are left as they are.
std::vector<std::uint8_t> WithChunkVersions(std::span<const std::uint8_t> file, std::uint32_t word);

// A dictionary with no textures, every chunk carrying `word`.
std::vector<std::uint8_t> EmptyDictionaryBytes(std::uint32_t word);

}  // namespace tinplate
