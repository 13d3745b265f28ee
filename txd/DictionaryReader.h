// SPDX-License-Identifier: GPL-3.0-or-later
// The byte layout of a dictionary and its reader.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "fileio/MappedFile.h"
#include "txd/TextureKinds.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// Byte layout of a texture block, as far as the editor reads and writes it.
namespace block {
inline constexpr std::uint32_t kDictionaryHeaderSize = 28;
inline constexpr std::uint32_t kCountOffset = 24;
inline constexpr std::uint32_t kChunkSizeOffset = 4;
inline constexpr std::uint32_t kStructSizeOffset = 16;
inline constexpr std::uint32_t kStructDataOffset = 24;
inline constexpr std::uint32_t kPlatformOffset = 24;
inline constexpr std::uint32_t kFilterFlagsOffset = 28;
inline constexpr std::uint32_t kNameOffset = 32;
inline constexpr std::uint32_t kNameSize = 32;
inline constexpr std::uint32_t kMaskNameOffset = 64;
inline constexpr std::uint32_t kAlphaFlagsOffset = 96;
inline constexpr std::uint32_t kHasAlphaOffset = 100;
inline constexpr std::uint32_t kWidthOffset = 104;
inline constexpr std::uint32_t kHeightOffset = 106;
inline constexpr std::uint32_t kDepthOffset = 108;
inline constexpr std::uint32_t kMipCountOffset = 109;
inline constexpr std::uint32_t kRasterTypeOffset = 110;
inline constexpr std::uint32_t kCompressionOffset = 111;
inline constexpr std::uint32_t kPaletteOffset = 116;
inline constexpr std::uint32_t kChunkHeaderSize = 12;
}  // namespace block

// Chunk types.
namespace chunk {
enum Type : std::uint32_t {
    kStruct = 0x01,
    kExtension = 0x03,
    kTexture = 0x15,
    kDictionary = 0x16
};
}  // namespace chunk

// Reads and checks the whole dictionary; a FileError names what is wrong with it. Nothing is
// returned from a file that fails any check.
std::vector<TextureEntry> ReadDictionary(const std::string& path);

// The same, with the file's bytes, which the records refer to and which stay mapped while
// `file` lives: the whole-file writer copies untouched blocks from them.
struct MappedDictionary {
    std::shared_ptr<const MappedFile> file;
    std::vector<TextureEntry> textures;
};
MappedDictionary ReadMappedDictionary(const std::string& path,
                                      Residence residence = Residence::Mapped);
// Records made from bytes in memory get copies of their own.
std::vector<TextureEntry> ParseDictionary(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName);
// Records made from bytes that `owner` keeps refer to them rather than copying them. Judging
// each texture's order reads a square of its texels; a reader of headers alone leaves it out,
// and the records' orders then mean nothing.
enum class OrderJudging { kJudged, kLeftOut };
std::vector<TextureEntry> ParseDictionary(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName,
                                          const std::shared_ptr<const void>& owner,
                                          OrderJudging judging = OrderJudging::kJudged);

}  // namespace tinplate
