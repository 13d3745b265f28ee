// SPDX-License-Identifier: GPL-3.0-or-later
// Platform id 5: the has-alpha word at 100, the compression byte at 111, then a size word for
// all the level data, the palette, and every level back to back in one padded area.
// Uncompressed levels run from the top and are swizzled, unless the texture was stored linear.
#include <algorithm>
#include <bit>

#include "fileio/FileError.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"
#include "txd/LevelChain.h"
#include "txd/MortonOrder.h"
#include "txd/OrderJudgement.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureKinds.h"

namespace tinplate {

namespace {

constexpr std::uint8_t kRasterType = 4;
constexpr std::uint32_t kStructFieldsSize = block::kPaletteOffset - block::kStructDataOffset;
constexpr std::uint32_t kMaximumSide = 1024;

std::uint32_t TexelBytesOf(const TextureRecord& r) {
    const TextureKind kind = KindOf(r);
    if (kind == TextureKind::kOtherDepth && r.depth > 0 && r.depth % 8 == 0) {
        return static_cast<std::uint32_t>(r.depth / 8);
    }
    return FactsOf(kind).texelBytes;
}

// Level `index` moved between Morton order and row order where the texture keeps it swizzled;
// empty when its sides or size do not allow that.
std::vector<std::uint8_t> Reordered(const TextureRecord& r, std::size_t index,
                                    const LevelTexels& level, bool toSwizzled) {
    const TexelOrder order = index == 0 ? r.firstLevelOrder : r.order;
    const std::uint32_t texelBytes = TexelBytesOf(r);
    if (texelBytes == 0 || !IsSwizzled(order)) {
        return {level.bytes.begin(), level.bytes.end()};
    }
    std::vector<std::uint8_t> out(level.bytes.size());
    if (!ReorderLevel(level.bytes, out, level.width, level.height, texelBytes, toSwizzled)) {
        return {};
    }
    return out;
}

std::uint64_t PaddedLevelBytes(const TextureRecord& r) {
    return (std::uint64_t{r.pixels.size()} + r.smallerLevels.size() + 3) / 4 * 4;
}

class Layout5 final : public PlatformLayout {
public:
    BlockPlaces Read(const BlockSource& block, TextureRecord& r) const override {
        const auto header = block.file.subspan(block.start);
        r.hasAlpha = ReadLe32(header, block::kHasAlphaOffset);
        r.compression = static_cast<std::int8_t>(header[block::kCompressionOffset]);
        const TextureSizes sizes =
            SizesForHeader(r.depth, r.compression, r.width, r.height, r.alphaFlags);
        const std::uint64_t paletteOffset = block.start + block::kPaletteOffset;
        const std::uint64_t levelEnd = paletteOffset + sizes.paletteSize + sizes.pixelSize;
        if (levelEnd > block.end) {
            throw FileError(block.fileName, "the file is inconsistent: " + block.label +
                                                " is too small for its palette and first level (" +
                                                std::to_string(levelEnd - paletteOffset) +
                                                " bytes needed)");
        }
        r.paletteSize = static_cast<std::uint32_t>(sizes.paletteSize);
        r.pixelSize = static_cast<std::uint32_t>(sizes.pixelSize);
        r.paletteOffset = static_cast<std::uint32_t>(paletteOffset);
        r.pixelOffset = static_cast<std::uint32_t>(paletteOffset + sizes.paletteSize);
        r.levelDataEnd =
            static_cast<std::uint32_t>(std::clamp(block.structEnd, levelEnd, block.end));
        BlockPlaces places{{r.paletteOffset, r.paletteSize}, {{r.pixelOffset, r.pixelSize}}};
        for (const LevelSize& level : SmallerLevelSizes(r)) {
            places.levels.push_back({level.offset, level.bytes});
        }
        return places;
    }

    HeaderField AlphaField(const TextureRecord& r) const override {
        HeaderField field{block::kHasAlphaOffset, {}, 4};
        WriteLe32(field.bytes, 0, r.hasAlpha);
        return field;
    }

    std::uint32_t LevelWordBytes() const override { return 0; }
    bool StoresRgbaPalette() const override { return false; }
    // The picture area has always shown these rows bottom first; the game picture does not.
    bool ShowsFirstRowOnTop() const override { return false; }

    std::vector<std::uint8_t> GameLevel(const TextureRecord& r, std::size_t index,
                                        const LevelTexels& stored) const override {
        return Reordered(r, index, stored, false);
    }

    std::vector<std::uint8_t> StoredLevel(const TextureRecord& r, std::size_t index,
                                          const LevelTexels& game) const override {
        return Reordered(r, index, game, true);
    }

    void JudgeOrder(TextureRecord& r) const override { JudgeMortonOrder(r); }

    // Sides that are not powers of two cannot be swizzled: such a texture (made only when the
    // user insists) stays linear.
    TexelOrder GameReadyOrder(const TextureRecord& r) const override {
        const bool swizzles =
            TexelBytesOf(r) != 0 && std::has_single_bit(r.width) && std::has_single_bit(r.height);
        return swizzles ? TexelOrder::kSwizzled : TexelOrder::kLinear;
    }

    bool SwizzlesInMortonOrder() const override { return true; }
    std::uint32_t MaximumSide() const override { return kMaximumSide; }

    bool NeedsPowerOfTwoSides(const TextureRecord& r) const override {
        return !IsBlockCompressed(r);
    }

    std::uint64_t FreshBlockSize(const TextureRecord& r) const override {
        return 3 * block::kChunkHeaderSize + kStructFieldsSize + r.palette.size() +
               PaddedLevelBytes(r);
    }

    void WriteFreshBlock(const TextureEntry& entry, std::uint32_t version, const std::string&,
                         const DictionarySink& sink) const override {
        const TextureRecord& r = entry.record;
        const auto levelBytes = static_cast<std::uint32_t>(PaddedLevelBytes(r));
        const auto structSize =
            static_cast<std::uint32_t>(kStructFieldsSize + r.palette.size() + levelBytes);
        BlockHeader h;
        h.Chunk(chunk::kTexture, structSize + 2 * block::kChunkHeaderSize, version);
        h.Chunk(chunk::kStruct, structSize, version);
        h.Le32(platform::kPlatform5);
        h.Le32(r.filterFlags);
        h.Text(entry.name, block::kNameSize);
        h.Text(r.maskName, block::kNameSize);
        h.Le32(r.alphaFlags);
        h.Le32(r.hasAlpha);
        h.Le16(static_cast<std::uint16_t>(r.width));
        h.Le16(static_cast<std::uint16_t>(r.height));
        h.Byte(static_cast<std::uint8_t>(r.depth));
        h.Byte(static_cast<std::uint8_t>(r.mipCount));
        h.Byte(kRasterType);
        h.Byte(static_cast<std::uint8_t>(r.compression));
        h.Le32(levelBytes);
        sink(h.span());
        sink(r.palette);
        sink(r.pixels);
        for (const auto piece : r.smallerLevels.Pieces()) {
            sink(piece);
        }
        BlockHeader tail;
        tail.used = levelBytes - r.pixels.size() - r.smallerLevels.size();
        tail.Chunk(chunk::kExtension, 0, version);
        sink(tail.span());
    }
};

}  // namespace

const PlatformLayout& Platform5Layout() {
    static const Layout5 layout;
    return layout;
}

}  // namespace tinplate
