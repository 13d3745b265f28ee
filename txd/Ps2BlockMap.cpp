// SPDX-License-Identifier: GPL-3.0-or-later
// Mapping a PS2 texture block, refusing whatever does not hold together.
#include "txd/Ps2BlockMap.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>
#include <span>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/MessageNumbers.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"
#include "txd/TextureKinds.h"

namespace tinplate::ps2 {

namespace {

using Bytes = std::span<const std::uint8_t>;

// The GIF packet's bytes that hold its destination (TRXPOS): placement, not checked.
constexpr std::size_t kTrxPosBytes = 16;
constexpr std::size_t kTrxPosEnd = 24;

struct Chunk {
    std::uint32_t type = 0;
    std::uint32_t size = 0;
    std::uint32_t version = 0;
};

class BlockWalk {
public:
    explicit BlockWalk(const BlockSource& block) : m_block(block) {}

    [[noreturn]] void Refuse(const std::string& reason) const {
        throw FileError(m_block.fileName, m_block.label + ": " + reason);
    }

    Chunk ChunkAt(std::uint64_t at, const char* what) const {
        if (at + block::kChunkHeaderSize > m_block.end) {
            Refuse(std::string("its block ends inside the header of its ") + what);
        }
        Chunk c{ReadLe32(m_block.file, at), ReadLe32(m_block.file, at + 4),
                ReadLe32(m_block.file, at + 8)};
        if (at + block::kChunkHeaderSize + c.size > m_block.end) {
            Refuse(std::string("its ") + what + " claims " + std::to_string(c.size) +
                   " bytes, past the end of its block");
        }
        return c;
    }

    Chunk Expect(std::uint64_t at, std::uint32_t type, const char* what) const {
        const Chunk c = ChunkAt(at, what);
        if (c.type != type) {
            Refuse(std::string("its ") + what + " is a chunk of type " + HexText(c.type) +
                   ", not " + HexText(type));
        }
        return c;
    }

    std::string Text(std::uint64_t at, std::uint32_t size, const char* what) const {
        const char* bytes = reinterpret_cast<const char*>(m_block.file.data() + at);
        const std::size_t length = ::strnlen(bytes, size);
        if (length > block::kNameSize) {
            Refuse(std::string("its ") + what + " is longer than " +
                   std::to_string(block::kNameSize) + " bytes");
        }
        return std::string(bytes, length);
    }

    Bytes At(std::uint64_t at, std::uint64_t size) const { return m_block.file.subspan(at, size); }

private:
    const BlockSource& m_block;
};

Kind RasterKind(const BlockWalk& walk, const RasterHeader& h) {
    if (const std::optional<Kind> kind = KindOfRaster(h.format, h.depth)) {
        return *kind;
    }
    const std::uint16_t pixel = h.format & format::kPixelFormatMask;
    const bool palette = (h.format & (format::kPalette256 | format::kPalette32)) != 0;
    if (palette && pixel != format::kPixel8888) {
        walk.Refuse("its palette entries are of format " + HexText(pixel) +
                    "; only 32-bit entries are supported");
    }
    if (pixel == format::kPixel888 || h.depth == 24) {
        walk.Refuse("its texels are 888 (24-bit), which the platform's library cannot read");
    }
    walk.Refuse("its raster format " + HexText(h.format) + " with a depth of " +
                std::to_string(h.depth) + " bits is not supported");
}

void CheckPacket(const BlockWalk& walk, Bytes stored, const GifPacket& expected,
                 const std::string& what) {
    const bool same =
        std::equal(stored.begin(), stored.begin() + kTrxPosBytes, expected.begin()) &&
        std::equal(stored.begin() + kTrxPosEnd, stored.end(), expected.begin() + kTrxPosEnd);
    if (!same) {
        walk.Refuse("the GIF packet of " + what +
                    " disagrees with its size (transfer rectangle or quadword count)");
    }
}

}  // namespace

BlockMap MapBlock(const BlockSource& block) {
    const BlockWalk walk(block);
    BlockMap m;
    const std::uint64_t b = block.start;
    walk.Expect(b, chunk::kTexture, "texture chunk");
    if (walk.Expect(b + block::kChunkHeaderSize, chunk::kStruct, "texture struct").size !=
        kFirstStructSize) {
        walk.Refuse("its texture struct is not the 8 bytes of platform and filter words");
    }
    m.nameChunk = b + kNamesAt;
    m.nameSize = walk.Expect(m.nameChunk, kStringChunk, "name").size;
    m.name = walk.Text(m.nameChunk + block::kChunkHeaderSize, m.nameSize, "name");
    const std::uint64_t maskChunk = m.nameChunk + block::kChunkHeaderSize + m.nameSize;
    m.maskSize = walk.Expect(maskChunk, kStringChunk, "mask name").size;
    m.mask = walk.Text(maskChunk + block::kChunkHeaderSize, m.maskSize, "mask name");
    m.raster = maskChunk + block::kChunkHeaderSize + m.maskSize;
    const Chunk raster = walk.Expect(m.raster, chunk::kStruct, "raster struct");
    m.rasterSize = raster.size;
    const std::uint64_t headerChunk = m.raster + block::kChunkHeaderSize;
    const Chunk header = walk.Expect(headerChunk, chunk::kStruct, "raster header");
    if (header.size != kRasterHeaderSize) {
        walk.Refuse("its raster header is " + std::to_string(header.size) + " bytes, not 64");
    }
    const RasterHeader& h = m.header =
        ParseRasterHeader(walk.At(headerChunk + block::kChunkHeaderSize, kRasterHeaderSize));
    const std::uint64_t dataChunk = headerChunk + block::kChunkHeaderSize + kRasterHeaderSize;
    const Chunk data = walk.Expect(dataChunk, chunk::kStruct, "texel data");
    if (std::uint64_t{h.pixelAreaSize} + h.paletteAreaSize != data.size ||
        std::uint64_t{data.size} + kRasterHeaderSize + 2 * block::kChunkHeaderSize != raster.size) {
        walk.Refuse("its raster struct (" + std::to_string(raster.size) +
                    " bytes) disagrees with the pixel and palette sizes of its header (" +
                    std::to_string(h.pixelAreaSize) + " and " + std::to_string(h.paletteAreaSize) +
                    ")");
    }
    m.extension = m.raster + block::kChunkHeaderSize + raster.size;
    const Chunk extension = walk.Expect(m.extension, chunk::kExtension, "extension");
    if (m.extension + block::kChunkHeaderSize + extension.size != block.end) {
        walk.Refuse("it holds bytes past its extension chunk");
    }

    m.kind = RasterKind(walk, h);
    const auto width = static_cast<std::uint32_t>(h.width);
    const auto height = static_cast<std::uint32_t>(h.height);
    if (h.width <= 0 || h.height <= 0 || width > kMaxSide || height > kMaxSide ||
        !std::has_single_bit(width) || !std::has_single_bit(height)) {
        walk.Refuse("its sides (" + std::to_string(h.width) + " x " + std::to_string(h.height) +
                    ") are not powers of two of at most 1024");
    }
    const bool mips = (h.format & kMipBit) != 0;
    const std::uint32_t chain = ChainLength(width, height, mips);
    const std::uint32_t levels = ((h.tex1Low >> 2) & 7) + 1;
    if (levels != chain) {
        walk.Refuse("it claims " + std::to_string(levels) + " levels; a " +
                    SidesText(width, height) + " texture " +
                    (mips ? "with mip levels has " : "without mip levels has ") +
                    std::to_string(chain));
    }
    if (h.version != kHeaderWithPackets) {
        walk.Refuse("its levels are stored without GIF packets (header version " +
                    std::to_string(h.version) + "), which is not supported");
    }
    const bool swizzlePal4 = SwizzlesPal4(LibraryVersion(header.version));
    m.allocation = AllocateRaster(m.kind, width, height, mips, swizzlePal4);
    const GsAllocation& a = m.allocation;
    if (!a.packets) {
        walk.Refuse(
            "its first level is too large for one GIF packet, yet its header says "
            "it has them");
    }
    if (h.pixelAreaSize != a.pixelAreaSize || h.paletteAreaSize != a.paletteAreaSize) {
        walk.Refuse("its header gives " + std::to_string(h.pixelAreaSize) + " pixel and " +
                    std::to_string(h.paletteAreaSize) + " palette bytes; its size and kind take " +
                    std::to_string(a.pixelAreaSize) + " and " + std::to_string(a.paletteAreaSize));
    }
    std::uint64_t at = dataChunk + block::kChunkHeaderSize;
    for (std::size_t i = 0; i < a.levels.size(); ++i) {
        const LevelUpload& level = a.levels[i];
        CheckPacket(
            walk, walk.At(at, kGifPacketSize), level.packet,
            "level " + std::to_string(i) + " (" + SidesText(level.width, level.height) + ")");
        m.levelData.push_back(at + kGifPacketSize);
        at += kGifPacketSize + level.transfer.bytes;
    }
    if (a.paletteAreaSize != 0) {
        CheckPacket(walk, walk.At(at, kGifPacketSize), a.palettePacket, "the palette");
        m.paletteData = at + kGifPacketSize;
    }
    return m;
}

}  // namespace tinplate::ps2
