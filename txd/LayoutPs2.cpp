// SPDX-License-Identifier: GPL-3.0-or-later
// Platform id 0x00325350 (PS2): string chunks for the names, a raster struct with a 64-byte
// header of GS register fields, each level behind a GIF packet, the palette last.
#include <algorithm>
#include <bit>
#include <cstring>
#include <optional>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/MessageNumbers.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"
#include "txd/Ps2BlockMap.h"
#include "txd/Ps2GsAllocation.h"
#include "txd/Ps2RecordFit.h"
#include "txd/Ps2Texels.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

using namespace ps2;
using Bytes = std::span<const std::uint8_t>;

constexpr std::uint32_t kMipmapChunk = 0x110;
constexpr std::uint32_t kDefaultMipmapKL = 0x00000FC0;
constexpr std::uint32_t kCurrentVersionWord = 0x1803FFFF;

std::uint32_t NameChunkSize(const std::string& text) {
    return static_cast<std::uint32_t>((text.size() + 4) & ~std::size_t{3});
}

// The raster struct's contents: the header and the texel data, each in its chunk.
std::uint32_t FreshRasterStructSize(const GsAllocation& a) {
    return 2 * block::kChunkHeaderSize + kRasterHeaderSize + a.pixelAreaSize + a.paletteAreaSize;
}

constexpr std::uint32_t kExtensionSize = block::kChunkHeaderSize + 4;

class LayoutPs2 final : public PlatformLayout {
public:
    BlockPlaces Read(const BlockSource& block, TextureRecord& r) const override {
        const BlockMap m = MapBlock(block);
        const RasterHeader& h = m.header;
        const GsAllocation& a = m.allocation;
        r.width = static_cast<std::uint32_t>(h.width);
        r.height = static_cast<std::uint32_t>(h.height);
        r.depth = static_cast<std::int16_t>(h.depth);
        r.compression = compression::kNone;
        r.alphaFlags = h.format & ~kRasterTypeBits;
        r.rasterType = static_cast<std::uint8_t>(h.format & kRasterTypeBits);
        r.mipCount = static_cast<std::int16_t>(a.levels.size());
        r.maskName = m.mask;
        r.filterFlags = ReadLe32(block.file, block.start + 28);
        const auto stored = [&](std::uint64_t at, std::uint64_t size) {
            return block.file.subspan(at, size);
        };
        std::vector<std::uint8_t> smaller;
        for (std::size_t i = 0; i < a.levels.size(); ++i) {
            const LevelUpload& level = a.levels[i];
            auto bytes = LevelFromStored(m.kind, stored(m.levelData[i], level.transfer.bytes),
                                         level.width, level.height, level.transfer);
            if (i == 0) {
                r.pixels = ByteBuffer(bytes);
            } else {
                smaller.insert(smaller.end(), bytes.begin(), bytes.end());
            }
        }
        r.smallerLevels = ByteBuffer(smaller);
        if (a.paletteBytes != 0) {
            r.palette =
                ByteBuffer(PaletteFromStored(m.kind, stored(m.paletteData, a.paletteBytes)));
        }
        r.hasAlpha = AnyTranslucent(m.kind, r) ? 1 : 0;
        r.paletteOffset = static_cast<std::uint32_t>(m.paletteData);
        r.paletteSize = static_cast<std::uint32_t>(r.palette.size());
        r.pixelOffset = static_cast<std::uint32_t>(m.levelData[0]);
        r.pixelSize = static_cast<std::uint32_t>(r.pixels.size());
        r.levelDataEnd =
            static_cast<std::uint32_t>(r.pixelOffset + r.pixels.size() + smaller.size());
        BlockPlaces places;
        places.recordFilled = true;
        return places;
    }

    // The text of the first string chunk, as far as it lies in the file.
    std::string NameOf(Bytes block) const override {
        constexpr std::uint64_t kText = kNamesAt + block::kChunkHeaderSize;
        if (block.size() < kText) {
            return "";
        }
        const std::uint64_t size = std::min<std::uint64_t>(
            {ReadLe32(block, kNamesAt + 4), block.size() - kText, block::kNameSize});
        const char* text = reinterpret_cast<const char*>(block.data() + kText);
        return std::string(text, ::strnlen(text, size));
    }

    // There is no alpha word: the texels say it (see TexelsToWrite).
    HeaderField AlphaField(const TextureRecord&) const override { return {}; }
    std::uint32_t LevelWordBytes() const override { return 0; }
    bool StoresRgbaPalette() const override { return false; }
    bool ShowsFirstRowOnTop() const override { return true; }
    std::uint32_t MaximumSide() const override { return kMaxSide; }
    // The GS takes only sides that are powers of two, whatever the kind.
    bool NeedsPowerOfTwoSides(const TextureRecord&) const override { return true; }
    bool WritesKeptBlocks() const override { return true; }

    bool Holds(TextureKind kind) const override {
        return kind == TextureKind::kPalette256 || kind == TextureKind::kPalette16 ||
               kind == TextureKind::kRgba32 || kind == TextureKind::kArgb1555;
    }

    std::uint32_t FullChain(std::uint32_t width, std::uint32_t height) const override {
        return ChainLength(width, height, true);
    }

    std::string UploadLimit(const TextureRecord& r) const override {
        const std::optional<Kind> kind = Ps2KindOf(r);
        if (!kind || FitsOnePacket(*kind, r.width, r.height)) {
            return {};
        }
        const std::uint64_t quadwords =
            std::uint64_t{r.width} * r.height * RowOf(*kind).depth / 8 / 16;
        return "its first level takes " + std::to_string(quadwords) +
               " quadwords; one GIF packet carries fewer than 32767 (0x7FFF)";
    }

    std::uint64_t TrailingChunksAt(Bytes block) const override {
        const auto word = [&](std::uint64_t at) -> std::uint64_t {
            return at + 4 <= block.size() ? ReadLe32(block, at) : block.size();
        };
        const std::uint64_t mask = kNamesAt + block::kChunkHeaderSize + word(kNamesAt + 4);
        const std::uint64_t raster = mask + block::kChunkHeaderSize + word(mask + 4);
        return std::min<std::uint64_t>(block.size(),
                                       raster + block::kChunkHeaderSize + word(raster + 4));
    }

    std::string Adopt(TextureRecord& r) const override {
        if (Ps2KindOf(r)) {
            DropLevelsPastTheChain(r);
        }
        return Unfit(r);
    }

    // Without a name, in a dictionary of the current library version.
    std::uint64_t FreshBlockSize(const TextureRecord& r) const override {
        return FreshBlockSizeIn({"", r}, kCurrentVersionWord);
    }
    std::uint64_t FreshBlockSizeIn(const TextureEntry& entry,
                                   std::uint32_t version) const override {
        return FreshSize(entry, PlanRaster(entry, version, "").allocation);
    }

    void WriteFreshBlock(const TextureEntry& entry, std::uint32_t version,
                         const std::string& fileName, const DictionarySink& sink) const override {
        const TextureRecord& r = entry.record;
        const FreshRaster plan = PlanRaster(entry, version, fileName);
        const GsAllocation& a = plan.allocation;
        WriteNames(entry, r.filterFlags, version, FreshSize(entry, a), sink);
        RasterHeader h;
        h.width = static_cast<std::int32_t>(r.width);
        h.height = static_cast<std::int32_t>(r.height);
        h.depth = static_cast<std::int32_t>(RowOf(plan.kind).depth);
        h.format = static_cast<std::uint16_t>(RowOf(plan.kind).formatBits |
                                              (a.levels.size() > 1 ? kMipBit : 0) |
                                              (r.rasterType & kRasterTypeBits));
        h.version = kHeaderWithPackets;
        h.tex0 = a.tex0;
        h.paletteBase = a.paletteBase;
        h.tex1Low = a.tex1Low;
        h.miptbp1 = a.miptbp1;
        h.miptbp2 = a.miptbp2;
        h.pixelAreaSize = a.pixelAreaSize;
        h.paletteAreaSize = a.paletteAreaSize;
        h.totalSize = a.totalSize;
        h.mipmapKL = kDefaultMipmapKL;
        BlockHeader chunks;
        chunks.Chunk(chunk::kStruct, FreshRasterStructSize(a), version);
        chunks.Chunk(chunk::kStruct, kRasterHeaderSize, version);
        sink(chunks.span());
        sink(RasterHeaderBytes(h));
        BlockHeader data;
        data.Chunk(chunk::kStruct, a.pixelAreaSize + a.paletteAreaSize, version);
        sink(data.span());
        const WrittenTexels texels = TexelsToWrite(plan.kind, r, plan.levels);
        for (std::size_t i = 0; i < a.levels.size(); ++i) {
            const LevelUpload& level = a.levels[i];
            std::vector<std::uint8_t> stored(level.transfer.bytes);
            LevelToStored(plan.kind, texels.levels[i], level.width, level.height, level.transfer,
                          stored);
            sink(level.packet);
            sink(stored);
        }
        if (a.paletteBytes != 0) {
            std::vector<std::uint8_t> stored(a.paletteBytes);
            PaletteToStored(plan.kind, texels.palette, stored);
            sink(a.palettePacket);
            sink(stored);
        }
        BlockHeader tail;
        tail.Chunk(chunk::kExtension, kExtensionSize, version);
        tail.Chunk(kMipmapChunk, 4, version);
        tail.Le32(kDefaultMipmapKL);
        sink(tail.span());
    }

    std::uint64_t KeptBlockSize(Bytes original, const TextureEntry& entry) const override {
        const TextureRecord& r = entry.record;
        const BlockMap m = MapKept(original, entry, "");
        return r.blockEnd - r.headerOffset + NameChunkSize(entry.name) - m.nameSize;
    }

    // The old block with the record's texels and palette put into its stored levels (texels
    // and alpha values the record did not change keep their bytes, padding too) and the name
    // chunk remade when the texture was renamed.
    void WriteKeptBlock(Bytes original, const TextureEntry& entry, const std::string& fileName,
                        const DictionarySink& sink) const override {
        const TextureRecord& r = entry.record;
        const BlockMap m = MapKept(original, entry, fileName);
        const GsAllocation& a = m.allocation;
        const auto levels = LevelsOf(r);
        if (levels.size() != a.levels.size() || r.palette.size() != r.paletteSize ||
            levels[0].size() != r.pixelSize) {
            throw FileError(fileName, TextureLabel(entry) +
                                          ": its record no longer fits the block it was read "
                                          "from");
        }
        const std::uint64_t size = KeptBlockSize(original, entry);
        const std::uint64_t b = r.headerOffset;
        if (entry.name == m.name) {
            sink(original.subspan(b, m.raster - b));
        } else {
            std::vector<std::uint8_t> head(
                original.begin() + static_cast<std::ptrdiff_t>(b),
                original.begin() + static_cast<std::ptrdiff_t>(m.nameChunk));
            WriteLe32(head, block::kChunkSizeOffset,
                      static_cast<std::uint32_t>(size - block::kChunkHeaderSize));
            sink(head);
            const std::uint32_t version = ReadLe32(original, m.nameChunk + 8);
            sink(NameChunk(entry.name, version));
            const std::uint64_t mask = m.nameChunk + block::kChunkHeaderSize + m.nameSize;
            sink(original.subspan(mask, m.raster - mask));
        }
        std::vector<std::uint8_t> raster(
            original.begin() + static_cast<std::ptrdiff_t>(m.raster),
            original.begin() + static_cast<std::ptrdiff_t>(m.extension));
        const auto inRaster = [&](std::uint64_t at, std::uint64_t bytes) {
            return std::span(raster).subspan(at - m.raster, bytes);
        };
        const WrittenTexels texels = TexelsToWrite(m.kind, r, levels);
        for (std::size_t i = 0; i < a.levels.size(); ++i) {
            const LevelUpload& level = a.levels[i];
            if (levels[i].size() != RecordLevelBytes(m.kind, level.width, level.height)) {
                throw FileError(fileName, TextureLabel(entry) + ": its level " + std::to_string(i) +
                                              " no longer fits its block");
            }
            LevelToStored(m.kind, texels.levels[i], level.width, level.height, level.transfer,
                          inRaster(m.levelData[i], level.transfer.bytes));
        }
        if (a.paletteBytes != 0) {
            PaletteToStored(m.kind, texels.palette, inRaster(m.paletteData, a.paletteBytes));
        }
        sink(raster);
        sink(original.subspan(m.extension, r.blockEnd - m.extension));
    }

private:
    static BlockMap MapKept(Bytes original, const TextureEntry& entry,
                            const std::string& fileName) {
        const TextureRecord& r = entry.record;
        if (r.blockEnd > original.size() || r.headerOffset >= r.blockEnd) {
            throw FileError(fileName, TextureLabel(entry) +
                                          ": its record no longer fits the block it was read "
                                          "from");
        }
        const std::string label = TextureLabel(entry);
        return MapBlock({original, r.headerOffset, r.blockEnd, r.blockEnd, fileName, label});
    }

    static std::vector<std::uint8_t> NameChunk(const std::string& name, std::uint32_t version) {
        std::vector<std::uint8_t> chunk;
        AppendLe32(chunk, kStringChunk);
        AppendLe32(chunk, NameChunkSize(name));
        AppendLe32(chunk, version);
        chunk.insert(chunk.end(), name.begin(), name.end());
        chunk.resize(block::kChunkHeaderSize + NameChunkSize(name), 0);
        return chunk;
    }

    static std::uint64_t FreshSize(const TextureEntry& entry, const GsAllocation& a) {
        return 2 * block::kChunkHeaderSize + kFirstStructSize + 2 * block::kChunkHeaderSize +
               NameChunkSize(entry.name) + NameChunkSize(entry.record.maskName) +
               block::kChunkHeaderSize + FreshRasterStructSize(a) + block::kChunkHeaderSize +
               kExtensionSize;
    }

    static void WriteNames(const TextureEntry& entry, std::uint32_t filter, std::uint32_t version,
                           std::uint64_t blockSize, const DictionarySink& sink) {
        BlockHeader head;
        head.Chunk(chunk::kTexture, static_cast<std::uint32_t>(blockSize - block::kChunkHeaderSize),
                   version);
        head.Chunk(chunk::kStruct, kFirstStructSize, version);
        head.Le32(kPlatformId);
        head.Le32(filter);
        sink(head.span());
        sink(NameChunk(entry.name, version));
        sink(NameChunk(entry.record.maskName, version));
    }

    static bool AnyTranslucent(Kind kind, const TextureRecord& r) {
        const auto rgba = LibraryRgba(kind, r.pixels, r.palette, r.width, r.height);
        for (std::size_t i = 3; i < rgba.size(); i += 4) {
            if (rgba[i] != 255) {
                return true;
            }
        }
        return false;
    }
};

}  // namespace

const PlatformLayout& Ps2Layout() {
    static const LayoutPs2 layout;
    return layout;
}

}  // namespace tinplate
