// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and checking a whole dictionary into texture records.
#include "txd/DictionaryReader.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/MappedFile.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

std::string TextureLabel(std::size_t index, const std::string& name) {
    return "texture " + std::to_string(index + 1) + (name.empty() ? "" : " (\"" + name + "\")");
}

// Records refer to their bytes in `bytes` while `owner` keeps them; without an owner they
// get copies of their own.
ByteBuffer TakeBytes(std::span<const std::uint8_t> bytes,
                     const std::shared_ptr<const void>& owner) {
    return owner ? ByteBuffer::Shared(owner, bytes) : ByteBuffer::Copy(bytes);
}

// Levels that lie apart in the file are gathered into one buffer, joined only when used.
ByteBuffer TakeGathered(std::vector<std::span<const std::uint8_t>> pieces,
                        const std::shared_ptr<const void>& owner) {
    if (owner) {
        return ByteBuffer::Gathered(owner, std::move(pieces));
    }
    std::vector<std::uint8_t> joined;
    for (const auto piece : pieces) {
        joined.insert(joined.end(), piece.begin(), piece.end());
    }
    return ByteBuffer::Copy(joined);
}

std::vector<TextureEntry> Parse(std::span<const std::uint8_t> bytes, const std::string& fileName,
                                const std::shared_ptr<const void>& owner,
                                OrderJudging judging = OrderJudging::kJudged);

}  // namespace

std::vector<TextureEntry> ParseDictionary(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName) {
    return Parse(bytes, fileName, nullptr);
}

std::vector<TextureEntry> ParseDictionary(std::span<const std::uint8_t> bytes,
                                          const std::string& fileName,
                                          const std::shared_ptr<const void>& owner,
                                          OrderJudging judging) {
    return Parse(bytes, fileName, owner, judging);
}

std::vector<TextureEntry> ReadDictionary(const std::string& path) {
    return ReadMappedDictionary(path).textures;
}

MappedDictionary ReadMappedDictionary(const std::string& path, Residence residence) {
    std::shared_ptr<const MappedFile> file = MappedFile::Open(path, residence);
    std::vector<TextureEntry> textures = Parse(file->bytes(), path, file);
    return {std::move(file), std::move(textures)};
}

namespace {

std::vector<TextureEntry> Parse(std::span<const std::uint8_t> bytes, const std::string& fileName,
                                const std::shared_ptr<const void>& owner, OrderJudging judging) {
    const std::uint64_t fileSize = bytes.size();
    if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
        throw FileError(fileName,
                        "the file is larger than 4 GiB, too large for a texture dictionary");
    }
    if (fileSize >= 4 && ReadLe32(bytes, 0) != chunk::kDictionary) {
        throw FileError(fileName, "not a texture dictionary");
    }
    if (fileSize < block::kDictionaryHeaderSize) {
        throw FileError(fileName, "the file is too short to be a texture dictionary (" +
                                      std::to_string(fileSize) + " bytes)");
    }
    const std::uint16_t count = ReadLe16(bytes, block::kCountOffset);
    std::vector<TextureEntry> entries;
    entries.reserve(count);

    std::uint64_t blockStart = block::kDictionaryHeaderSize;
    for (std::size_t i = 0; i < count; ++i) {
        const std::string ofCount = " of " + std::to_string(count);
        if (blockStart + block::kPaletteOffset > fileSize) {
            throw FileError(fileName,
                            "the file is truncated: it ends before the header of texture " +
                                std::to_string(i + 1) + ofCount);
        }
        const auto header = bytes.subspan(blockStart);
        TextureEntry entry;

        TextureRecord& r = entry.record;
        r.headerOffset = static_cast<std::uint32_t>(blockStart);
        r.platform = ReadLe32(header, block::kPlatformOffset);
        r.filterFlags = ReadLe32(header, block::kFilterFlagsOffset);
        const char* maskBytes =
            reinterpret_cast<const char*>(header.data() + block::kMaskNameOffset);
        r.maskName.assign(maskBytes, ::strnlen(maskBytes, block::kNameSize));
        r.alphaFlags = ReadLe32(header, block::kAlphaFlagsOffset);
        r.width = ReadLe16(header, block::kWidthOffset);
        r.height = ReadLe16(header, block::kHeightOffset);
        r.depth = static_cast<std::int8_t>(header[block::kDepthOffset]);
        r.mipCount = static_cast<std::int8_t>(header[block::kMipCountOffset]);
        r.rasterType = header[block::kRasterTypeOffset];

        const PlatformLayout* layout = FindLayout(r.platform);
        if (layout == nullptr) {
            throw FileError(fileName, "texture " + std::to_string(i + 1) + ": platform id " +
                                          std::to_string(r.platform) + " is not supported");
        }
        entry.name = layout->NameOf(header);
        const std::uint64_t blockEnd =
            blockStart + block::kChunkHeaderSize + ReadLe32(header, block::kChunkSizeOffset);
        const std::string label = TextureLabel(i, entry.name);
        if (blockEnd > fileSize) {
            throw FileError(fileName, "the file is truncated: " + label + ofCount + " claims " +
                                          std::to_string(blockEnd - blockStart) +
                                          " bytes but only " +
                                          std::to_string(fileSize - blockStart) + " remain");
        }
        const std::uint64_t structEnd =
            blockStart + block::kStructDataOffset + ReadLe32(header, block::kStructSizeOffset);
        const BlockPlaces places =
            layout->Read({bytes, blockStart, structEnd, blockEnd, fileName, label}, r);
        r.blockEnd = static_cast<std::uint32_t>(blockEnd);
        if (!places.recordFilled) {
            const auto palette = bytes.subspan(places.palette.offset, places.palette.bytes);
            r.palette = layout->StoresRgbaPalette() ? ByteBuffer(SwappedPalette(palette))
                                                    : TakeBytes(palette, owner);
            r.pixels = TakeBytes(bytes.subspan(r.pixelOffset, r.pixelSize), owner);
            std::vector<std::span<const std::uint8_t>> smaller;
            for (std::size_t level = 1; level < places.levels.size(); ++level) {
                smaller.push_back(
                    bytes.subspan(places.levels[level].offset, places.levels[level].bytes));
            }
            r.smallerLevels = TakeGathered(std::move(smaller), owner);
        }
        if (judging == OrderJudging::kJudged) {
            layout->JudgeOrder(r);
        }

        entries.push_back(std::move(entry));
        blockStart = blockEnd;
    }
    return entries;
}

}  // namespace

}  // namespace tinplate
