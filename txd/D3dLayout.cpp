// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing of the parts the Direct3D 8 and 9 layouts share.
#include "txd/D3dLayout.h"

#include <algorithm>

#include "fileio/FileError.h"
#include "fileio/MessageNumbers.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kHeaderSize = 112;
constexpr std::uint32_t kStructFieldsSize = kHeaderSize - block::kStructDataOffset;
constexpr std::uint32_t kLevelWordBytes = 4;

std::uint32_t ChainLength(std::uint32_t width, std::uint32_t height) {
    std::uint32_t length = 1;
    for (std::uint32_t side = std::max(width, height); side > 1; side >>= 1) {
        ++length;
    }
    return length;
}

std::vector<std::span<const std::uint8_t>> LevelsOf(const TextureRecord& r) {
    std::vector<std::span<const std::uint8_t>> levels{std::span(r.pixels.data(), r.pixels.size())};
    const auto smaller = SmallerLevelBytes(r);
    levels.insert(levels.end(), smaller.begin(), smaller.end());
    return levels;
}

}  // namespace

void D3dLayout::Refuse(const BlockSource& block, const std::string& reason) {
    throw FileError(block.fileName, block.label + ": " + reason);
}

BlockPlaces D3dLayout::Read(const BlockSource& block, TextureRecord& r) const {
    const auto header = block.file.subspan(block.start);
    ReadKindFields(block, header, r);
    const bool compressed = IsBlockCompressed(r);
    if (compressed &&
        (r.depth == 8 || (r.alphaFlags & (format::kPalette256 | format::kPalette32)))) {
        Refuse(block, "it is block-compressed, yet its format word (" + HexText(r.alphaFlags) +
                          ") or depth (" + std::to_string(r.depth) + ") asks for a palette");
    }
    if (!compressed && r.depth != 8 && r.depth != 16 && r.depth != 32) {
        Refuse(block, "a depth of " + std::to_string(r.depth) + " bits is not supported");
    }
    const std::uint64_t limit = std::min(block.structEnd, block.end);
    const TextureSizes sizes =
        SizesForHeader(r.depth, r.compression, r.width, r.height, r.alphaFlags);
    std::uint64_t at = block.start + kHeaderSize;
    if (at + sizes.paletteSize > limit) {
        Refuse(block, "its palette reaches past the end of its block");
    }
    BlockPlaces places{{at, sizes.paletteSize}, {}};
    at += sizes.paletteSize;

    const std::uint32_t count = header[block::kMipCountOffset];
    const std::uint32_t chain = ChainLength(r.width, r.height);
    if (count == 0 || count > chain) {
        Refuse(block, "it claims " + std::to_string(count) + " levels; a " +
                          SidesText(r.width, r.height) + " texture has 1 to " +
                          std::to_string(chain));
    }
    std::uint32_t width = r.width;
    std::uint32_t height = r.height;
    for (std::uint32_t level = 0; level < count; ++level) {
        const std::string name =
            "level " + std::to_string(level) + " (" + SidesText(width, height) + ")";
        if (at + kLevelWordBytes > limit) {
            Refuse(block, "its block ends inside the size word of " + name);
        }
        const std::uint32_t word = ReadLe32(block.file, at);
        at += kLevelWordBytes;
        if (word > limit - at) {
            Refuse(block, "the size word of " + name + " says " + std::to_string(word) +
                              " bytes, past the end of its block");
        }
        const std::uint64_t expected =
            SizesForHeader(r.depth, r.compression, width, height, r.alphaFlags).pixelSize;
        if (word != expected) {
            Refuse(block, "the size word of " + name + " says " + std::to_string(word) +
                              " bytes; its kind takes " + std::to_string(expected));
        }
        places.levels.push_back({at, word});
        at += word;
        width = std::max<std::uint32_t>(width >> 1, 1);
        height = std::max<std::uint32_t>(height >> 1, 1);
    }
    r.mipCount = static_cast<std::int16_t>(count);
    r.paletteOffset = static_cast<std::uint32_t>(places.palette.offset);
    r.paletteSize = static_cast<std::uint32_t>(places.palette.bytes);
    r.pixelOffset = static_cast<std::uint32_t>(places.levels[0].offset);
    r.pixelSize = static_cast<std::uint32_t>(places.levels[0].bytes);
    r.levelDataEnd = static_cast<std::uint32_t>(at);
    return places;
}

std::uint64_t D3dLayout::FreshBlockSize(const TextureRecord& r) const {
    std::uint64_t size = 3 * block::kChunkHeaderSize + kStructFieldsSize + r.palette.size();
    for (const auto level : LevelsOf(r)) {
        size += kLevelWordBytes + level.size();
    }
    return size;
}

void D3dLayout::WriteFreshBlock(const TextureEntry& entry, std::uint32_t version,
                                const std::string&, const DictionarySink& sink) const {
    const TextureRecord& r = entry.record;
    const auto levels = LevelsOf(r);
    const auto structSize =
        static_cast<std::uint32_t>(FreshBlockSize(r) - 3 * block::kChunkHeaderSize);
    BlockHeader h;
    h.Chunk(chunk::kTexture, structSize + 2 * block::kChunkHeaderSize, version);
    h.Chunk(chunk::kStruct, structSize, version);
    h.Le32(Id());
    h.Le32(r.filterFlags);
    h.Text(entry.name, block::kNameSize);
    h.Text(r.maskName, block::kNameSize);
    h.Le32(r.alphaFlags);
    h.Le32(KindWord(r));
    h.Le16(static_cast<std::uint16_t>(r.width));
    h.Le16(static_cast<std::uint16_t>(r.height));
    h.Byte(static_cast<std::uint8_t>(r.depth));
    h.Byte(static_cast<std::uint8_t>(levels.size()));
    h.Byte(r.rasterType);
    h.Byte(KindByte(r));
    sink(h.span());
    sink(SwappedPalette(r.palette));
    for (const auto level : levels) {
        BlockHeader word;
        word.Le32(static_cast<std::uint32_t>(level.size()));
        sink(word.span());
        sink(level);
    }
    BlockHeader tail;
    tail.Chunk(chunk::kExtension, 0, version);
    sink(tail.span());
}

bool D3dLayout::HoldsKind(const TextureRecord& r) const {
    const bool known =
        IsBlockCompressed(r)
            ? r.depth != 8 && (r.alphaFlags & (format::kPalette256 | format::kPalette32)) == 0
            : r.compression == compression::kNone &&
                  (r.depth == 8 || r.depth == 16 || r.depth == 32);
    // Platform 9 names every kind by a format word.
    const bool named = Id() != platform::kD3d9 || D3dFormatFor(r) != 0;
    return known && named && r.pixelSize != 0;
}

}  // namespace tinplate
