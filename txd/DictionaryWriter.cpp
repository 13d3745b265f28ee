// SPDX-License-Identifier: GPL-3.0-or-later
// Laying out a dictionary block by block, old blocks copied and new ones built.
#include "txd/DictionaryWriter.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <optional>

#include "fileio/AtomicFile.h"
#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/ReplacementGuard.h"
#include "txd/BlockHeader.h"
#include "txd/DictionaryReader.h"
#include "txd/StoredPieces.h"

namespace tinplate {

namespace {

// The version stamp the third-party writer puts on every chunk; new dictionaries carry it,
// textures added to a read one carry that file's own.
constexpr std::uint32_t kNewFileVersion = 0x1803FFFF;
constexpr std::uint64_t kMaxFileSize = std::numeric_limits<std::uint32_t>::max();

using Bytes = std::span<const std::uint8_t>;
using Header = BlockHeader;

std::string StoredName(Bytes original, std::uint32_t headerOffset,
                       std::uint32_t field = block::kNameOffset) {
    const char* name = reinterpret_cast<const char*>(original.data() + headerOffset) + field;
    return std::string(name, ::strnlen(name, block::kNameSize));
}

std::array<std::uint8_t, block::kNameSize> NameField(const TextureEntry& entry,
                                                     const std::string& fileName,
                                                     const std::string& name) {
    if (name.size() > block::kNameSize) {
        throw FileError(fileName, TextureLabel(entry) + ": the name is longer than " +
                                      std::to_string(block::kNameSize) + " bytes");
    }
    std::array<std::uint8_t, block::kNameSize> field{};
    std::copy(name.begin(), name.end(), field.begin());
    return field;
}

std::array<std::uint8_t, block::kNameSize> NameField(const TextureEntry& entry,
                                                     const std::string& fileName) {
    return NameField(entry, fileName, entry.name);
}

// The header fields that Texture > Properties changes differ from the block's.
bool PropertiesChanged(Bytes original, const TextureRecord& r) {
    return r.filterFlags != ReadLe32(original, r.headerOffset + block::kFilterFlagsOffset) ||
           r.maskName != StoredName(original, r.headerOffset, block::kMaskNameOffset);
}

void CheckKeptBlock(Bytes original, const TextureEntry& entry, const StoredPieces& pieces,
                    const std::string& fileName) {
    const TextureRecord& r = entry.record;
    bool fits = r.palette.size() == r.paletteSize && r.pixels.size() == r.pixelSize &&
                r.headerOffset >= block::kDictionaryHeaderSize && r.levelDataEnd <= r.blockEnd &&
                r.blockEnd <= original.size();
    std::uint64_t end = std::uint64_t{r.headerOffset} + block::kMaskNameOffset + block::kNameSize;
    for (const Patch& piece : pieces.pieces()) {
        fits = fits && piece.offset >= end && piece.offset + piece.bytes.size() <= r.levelDataEnd;
        end = piece.offset + piece.bytes.size();
    }
    if (!fits) {
        throw FileError(fileName, TextureLabel(entry) +
                                      ": its record no longer fits the block it was read "
                                      "from");
    }
}

void CheckFreshBlock(const TextureEntry& entry, const std::string& fileName) {
    const TextureRecord& r = entry.record;
    NameField(entry, fileName);
    NameField(entry, fileName, r.maskName);
    if (r.width > 0xFFFF || r.height > 0xFFFF) {
        throw FileError(fileName, TextureLabel(entry) + ": a side is longer than 65535");
    }
}

// The fresh block's size; a layout that cannot lay the texture out says why without knowing
// the file's name.
std::uint64_t FreshSize(const TextureEntry& entry, std::uint32_t version,
                        const std::string& fileName) {
    try {
        return LayoutOf(entry.record).FreshBlockSizeIn(entry, version);
    } catch (const FileError& e) {
        throw FileError(fileName, e.reason());
    }
}

// Where the original's closing chunk begins: past the blocks its count announces.
std::uint64_t OriginalBlocksEnd(Bytes original) {
    std::uint64_t end = block::kDictionaryHeaderSize;
    for (std::uint32_t i = 0; i < ReadLe16(original, block::kCountOffset); ++i) {
        if (end + block::kChunkHeaderSize > original.size()) {
            return original.size();
        }
        end += block::kChunkHeaderSize + ReadLe32(original, end + block::kChunkSizeOffset);
    }
    return std::min<std::uint64_t>(end, original.size());
}

void StreamKeptBlock(Bytes original, const TextureEntry& entry, const std::string& fileName,
                     const DictionarySink& sink) {
    const TextureRecord& r = entry.record;
    const StoredPieces pieces(r);
    CheckKeptBlock(original, entry, pieces, fileName);
    const auto from = [&](std::uint64_t begin, std::uint64_t end) {
        sink(original.subspan(begin, end - begin));
    };
    const std::uint64_t start = r.headerOffset;
    from(start, start + block::kFilterFlagsOffset);
    std::array<std::uint8_t, 4> filter{};
    WriteLe32(filter, 0, r.filterFlags);
    sink(filter);
    // Name fields are copied unless they changed: bytes after a name's NUL are kept.
    for (const auto& [offset, name] : {std::pair{block::kNameOffset, &entry.name},
                                       std::pair{block::kMaskNameOffset, &r.maskName}}) {
        if (*name == StoredName(original, r.headerOffset, offset)) {
            from(start + offset, start + offset + block::kNameSize);
        } else {
            sink(NameField(entry, fileName, *name));
        }
    }
    std::uint64_t at = start + block::kMaskNameOffset + block::kNameSize;
    for (const Patch& piece : pieces.pieces()) {
        from(at, piece.offset);
        sink(piece.bytes);
        at = piece.offset + piece.bytes.size();
    }
    from(at, r.blockEnd);
}

}  // namespace

void StreamDictionary(Bytes original, const std::vector<TextureEntry>& textures,
                      const std::string& fileName, const DictionarySink& sink,
                      const TextureSupplier& supply) {
    if (textures.size() > 0xFFFF) {
        throw FileError(fileName, "a dictionary holds at most 65535 textures");
    }
    const bool hasOriginal = original.size() >= block::kDictionaryHeaderSize;
    const std::uint32_t version = hasOriginal ? ReadLe32(original, 8) : kNewFileVersion;
    const std::uint64_t blocksEnd = hasOriginal ? OriginalBlocksEnd(original) : 0;
    const std::uint64_t trailerSize =
        hasOriginal ? original.size() - blocksEnd : block::kChunkHeaderSize;

    std::uint64_t length = block::kDictionaryHeaderSize + trailerSize;
    for (const TextureEntry& entry : textures) {
        const PlatformLayout& layout = LayoutOf(entry.record);
        if (entry.record.laidOutAnew) {
            CheckFreshBlock(entry, fileName);
            length += FreshSize(entry, version, fileName);
        } else if (layout.WritesKeptBlocks()) {
            length += layout.KeptBlockSize(original, entry);
        } else {
            CheckKeptBlock(original, entry, StoredPieces(entry.record), fileName);
            length += entry.record.blockEnd - entry.record.headerOffset;
        }
    }
    if (length > kMaxFileSize) {
        throw FileError(fileName, "the dictionary would be larger than 4 GiB");
    }

    Header header;
    if (hasOriginal) {
        // The size word moves with the length, so a file whose word disagreed keeps disagreeing
        // by the same amount rather than gaining a fault or losing one.
        std::copy_n(original.begin(), block::kDictionaryHeaderSize, header.bytes.begin());
        const auto size = static_cast<std::int64_t>(ReadLe32(original, block::kChunkSizeOffset)) +
                          static_cast<std::int64_t>(length) -
                          static_cast<std::int64_t>(original.size());
        const bool representable = size >= 0 && size <= static_cast<std::int64_t>(kMaxFileSize);
        header.used = block::kChunkSizeOffset;
        header.Le32(static_cast<std::uint32_t>(representable ? size : length - 12));
        header.used = block::kCountOffset;
    } else {
        header.Chunk(chunk::kDictionary, static_cast<std::uint32_t>(length - 12), version);
        header.Chunk(chunk::kStruct, 4, version);
    }
    header.Le16(static_cast<std::uint16_t>(textures.size()));
    header.used = block::kDictionaryHeaderSize;
    sink(header.span());

    const auto writeBlock = [&](const TextureEntry& entry) {
        const PlatformLayout& layout = LayoutOf(entry.record);
        if (entry.record.laidOutAnew) {
            layout.WriteFreshBlock(entry, version, fileName, sink);
        } else if (layout.WritesKeptBlocks()) {
            layout.WriteKeptBlock(original, entry, fileName, sink);
        } else {
            StreamKeptBlock(original, entry, fileName, sink);
        }
    };
    for (std::size_t i = 0; i < textures.size(); ++i) {
        // Kept blocks are copied from `original`; only fresh ones are made, or supplied.
        if (!supply || !textures[i].record.laidOutAnew) {
            writeBlock(textures[i]);
            continue;
        }
        const TextureEntry supplied = supply(i);
        if (!supplied.record.laidOutAnew ||
            LayoutOf(supplied.record).FreshBlockSizeIn(supplied, version) !=
                LayoutOf(textures[i].record).FreshBlockSizeIn(textures[i], version)) {
            throw FileError(fileName, "texture " + std::to_string(i + 1) +
                                          " changed its size while it was written");
        }
        CheckFreshBlock(supplied, fileName);
        writeBlock(supplied);
    }
    if (hasOriginal) {
        sink(original.subspan(blocksEnd));
    } else {
        Header closing;
        closing.Chunk(chunk::kExtension, 0, version);
        sink(closing.span());
    }
}

std::vector<std::uint8_t> DictionaryBytes(Bytes original, const std::vector<TextureEntry>& textures,
                                          const std::string& fileName) {
    std::vector<std::uint8_t> bytes;
    StreamDictionary(original, textures, fileName,
                     [&](Bytes piece) { bytes.insert(bytes.end(), piece.begin(), piece.end()); });
    return bytes;
}

bool IsRestructured(Bytes original, const std::vector<TextureEntry>& textures) {
    if (original.size() < block::kDictionaryHeaderSize ||
        ReadLe16(original, block::kCountOffset) != textures.size()) {
        return true;
    }
    std::uint64_t expected = block::kDictionaryHeaderSize;
    for (const TextureEntry& entry : textures) {
        const TextureRecord& r = entry.record;
        if (r.laidOutAnew || LayoutOf(r).WritesKeptBlocks() || r.headerOffset != expected ||
            expected + block::kPaletteOffset > original.size() ||
            entry.name != StoredName(original, r.headerOffset) || PropertiesChanged(original, r)) {
            return true;
        }
        expected = r.blockEnd;
    }
    return false;
}

FileIdentity RewriteWholeDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                                    Bytes original, const std::vector<TextureEntry>& textures,
                                    const TextureSupplier& supply) {
    const std::string& path = lock.path();
    PrepareReplacement(lock, opened);
    return WriteFileFrom(path, [&](ReplacementFile& file) {
        StreamDictionary(
            original, textures, path, [&](Bytes piece) { file.Write(piece); }, supply);
    });
}

FileIdentity WriteDictionaryFile(const std::string& path, Bytes original,
                                 const std::vector<TextureEntry>& textures) {
    std::optional<DictionaryLock> lock;
    if (::access(path.c_str(), F_OK) == 0) {
        lock.emplace(path);
        RemoveStaleReplacements(lock->target());
    }
    return WriteFileFrom(path, [&](ReplacementFile& file) {
        StreamDictionary(original, textures, path, [&](Bytes piece) { file.Write(piece); });
    });
}

}  // namespace tinplate
