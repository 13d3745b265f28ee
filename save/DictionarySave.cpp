// SPDX-License-Identifier: GPL-3.0-or-later
// Save in place, with 8-bit levels rebuilt by the image library.
#include "save/DictionarySave.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <limits>

#include "fileio/ByteOrder.h"
#include "fileio/FileError.h"
#include "fileio/FileIo.h"
#include "gfxlib/LibraryArgs.h"
#include "txd/DictionaryReader.h"
#include "txd/DictionaryRewrite.h"
#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/PlatformLayout.h"
#include "txd/StoredPieces.h"
#include "workfiles/WorkingBitmap.h"
#include "workfiles/WorkingFolder.h"

namespace tinplate {

namespace {

const std::string kMipMapIn = "MipMapIn.bmp";
const std::string kMipMapOut = "MipMapOut.bmp";
// The resized bitmap's pixels follow its two headers and a 256-entry palette.
constexpr std::uint64_t kResizedPixelsOffset = 14 + 40 + 1024;

struct LevelBytes {
    std::uint64_t offset = 0;
    std::vector<std::uint8_t> bytes;
};

// Runs `step` for one texture; a failure names the texture before its own reason.
template <typename Step>
auto ForTexture(const TextureEntry& texture, Step step) {
    try {
        return step();
    } catch (const FileError& error) {
        throw FileError(error.fileName(), TextureLabel(texture) + ": " + error.reason());
    }
}

bool HoldsAt(std::span<const std::uint8_t> original, std::uint64_t offset,
             std::span<const std::uint8_t> bytes) {
    return offset <= original.size() && bytes.size() <= original.size() - offset &&
           std::equal(bytes.begin(), bytes.end(), original.begin() + offset);
}

// An 8-bit texture's smaller levels are made again from its first level once that level or
// the palette, as its layout stores them, differ from the dictionary as read. Compared with
// the bytes themselves, so no command can change a texture without its levels following; the
// levels of a texture nobody changed may be its author's own, which no resize would make again.
std::vector<LevelSize> LevelsToRebuild(const TextureRecord& record,
                                       std::span<const std::uint8_t> original) {
    if (record.depth != 8) {
        return {};
    }
    // The alpha field comes first and says nothing about the picture.
    const StoredPieces stored(record, false);
    const bool unchanged = std::all_of(
        stored.pieces().begin() + 1, stored.pieces().end(),
        [&](const Patch& piece) { return HoldsAt(original, piece.offset, piece.bytes); });
    return unchanged ? std::vector<LevelSize>{} : SmallerLevelSizes(record);
}

std::vector<std::uint8_t> ResizeLevel(const std::string& path, GfxBinding& gfx, NameBuffer& input,
                                      NameBuffer& output, WorkBlock& block,
                                      const LevelSize& level) {
    const std::string outputPath = output.c_str();
    // An output left by an earlier resize must never pass for this one's.
    RemoveFileQuietly(outputPath);
    if (FileExists(outputPath)) {
        throw FileError(outputPath, "a working file from an earlier resize cannot be removed");
    }
    gfx._bmpresize(input.word(), output.word(), block.word(), level.width, level.height);
    const std::string size = std::to_string(level.width) + " x " + std::to_string(level.height);
    if (!FileExists(outputPath)) {
        throw FileError(path, kMipMapOut + " (" + size + ") was not produced");
    }
    const std::vector<std::uint8_t> resized = ReadWholeFile(outputPath);
    const std::uint64_t needed = kResizedPixelsOffset + std::uint64_t{level.width} * level.height;
    if (resized.size() < needed) {
        throw FileError(path, kMipMapOut + " (" + size + ") holds " +
                                  std::to_string(resized.size()) + " bytes, " +
                                  std::to_string(needed) + " needed");
    }
    return {resized.begin() + kResizedPixelsOffset, resized.begin() + needed};
}

std::vector<LevelBytes> RebuildLevels(const std::string& path, const TextureRecord& record,
                                      std::span<const std::uint8_t> original, GfxBinding& gfx,
                                      WorkBlock& block) {
    const std::vector<LevelSize> places = LevelsToRebuild(record, original);
    if (places.empty()) {
        return {};
    }
    if (!gfx.HasEntryPoint("_bmpresize")) {
        throw FileError(path, "the image library libmwgfx.so (or its _bmpresize) is missing");
    }
    const std::string inputPath = WorkingPath(kMipMapIn);
    const std::string outputPath = WorkingPath(kMipMapOut);
    WorkingFiles workingFiles{inputPath, outputPath};
    // The library resizes the first level as the game draws it, and each level it returns is
    // stored in the texture's own order: smaller levels of a swizzled texture are made from
    // its picture, not from its scrambled texels.
    TextureRecord gameOrder = record;
    if (GameLevel first = GameLevelOf(record, 0); !first.bytes.empty()) {
        gameOrder.pixels = ByteBuffer::Copy(first.bytes);
    }
    WriteWorkingBitmap(inputPath, gameOrder, 8);
    NameBuffer input(inputPath);
    NameBuffer output(outputPath);
    block.Clear();
    const PlatformLayout& layout = LayoutOf(record);
    std::vector<LevelBytes> levels;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const LevelSize& place = places[i];
        const std::vector<std::uint8_t> game = ResizeLevel(path, gfx, input, output, block, place);
        std::vector<std::uint8_t> stored =
            layout.StoredLevel(record, i + 1, {game, place.width, place.height});
        levels.push_back({place.offset, stored.size() == game.size() ? std::move(stored) : game});
    }
    return levels;
}

// Edits never resize a texture; a record that no longer fits its place, or a file that
// shrank since it was read, would make Save write over bytes that are not the texture's.
void CheckPlaces(const std::string& path, const std::vector<TextureEntry>& textures,
                 std::uint64_t size) {
    std::uint64_t end = 0;
    for (const TextureEntry& texture : textures) {
        const TextureRecord& r = texture.record;
        if (r.palette.size() != r.paletteSize || r.pixels.size() != r.pixelSize ||
            std::uint64_t{r.headerOffset} + block::kHasAlphaOffset + 4 > r.paletteOffset ||
            std::uint64_t{r.paletteOffset} + r.paletteSize > r.pixelOffset ||
            std::uint64_t{r.pixelOffset} + r.pixelSize + r.smallerLevels.size() > r.levelDataEnd) {
            throw FileError(path, TextureLabel(texture) + ": its record no longer fits its place");
        }
        end = std::max<std::uint64_t>(end, r.levelDataEnd);
    }
    if (size < end) {
        throw FileError(path, "the file is shorter than when it was opened (" +
                                  std::to_string(size) + " bytes, " + std::to_string(end) +
                                  " expected)");
    }
}

// The writes of one texture: its alpha field, palette, first level and smaller levels, the
// rebuilt levels taking the place of the stored smaller levels.
void AddPatches(std::vector<Patch>& patches, const TextureRecord& record,
                const StoredPieces& pieces, const std::vector<LevelBytes>& levels) {
    patches.insert(patches.end(), pieces.pieces().begin(), pieces.pieces().end());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        patches.push_back({StoredLevelOffset(record, i, levels[i].offset), levels[i].bytes});
    }
}

}  // namespace

namespace {

// The writes of Save in place, handed to `write` while the bytes they point to live.
template <typename Write>
auto WithPatches(const std::string& path, std::uint64_t size,
                 std::span<const std::uint8_t> original, const std::vector<TextureEntry>& textures,
                 GfxBinding& gfx, Write write) {
    CheckPlaces(path, textures, size);
    WorkBlock block;
    std::vector<std::vector<LevelBytes>> rebuilt;
    rebuilt.reserve(textures.size());
    for (const TextureEntry& texture : textures) {
        rebuilt.push_back(ForTexture(
            texture, [&] { return RebuildLevels(path, texture.record, original, gfx, block); }));
    }
    std::deque<StoredPieces> pieces;
    std::vector<Patch> patches;
    for (std::size_t i = 0; i < textures.size(); ++i) {
        const TextureRecord& record = textures[i].record;
        pieces.emplace_back(record, rebuilt[i].empty());
        AddPatches(patches, record, pieces.back(), rebuilt[i]);
    }
    return write(std::move(patches));
}

}  // namespace

FileIdentity SaveDictionary(const DictionaryLock& lock, const FileIdentity& opened,
                            std::span<const std::uint8_t> original,
                            const std::vector<TextureEntry>& textures, GfxBinding& gfx) {
    if (textures.empty()) {
        return opened;
    }
    const std::string& path = lock.path();
    std::error_code unknown;
    const std::uintmax_t size = std::filesystem::file_size(path, unknown);
    return WithPatches(path, unknown ? std::numeric_limits<std::uint64_t>::max() : size, original,
                       textures, gfx, [&](std::vector<Patch> patches) {
                           return RewriteDictionary(lock, opened, std::move(patches));
                       });
}

std::vector<std::uint8_t> SavedDictionaryBytes(const std::string& shownName,
                                               std::span<const std::uint8_t> original,
                                               const std::vector<TextureEntry>& textures,
                                               GfxBinding& gfx) {
    std::vector<std::uint8_t> saved(original.begin(), original.end());
    if (textures.empty()) {
        return saved;
    }
    return WithPatches(
        shownName, saved.size(), original, textures, gfx, [&](const std::vector<Patch>& patches) {
            for (const Patch& patch : patches) {
                if (patch.offset + patch.bytes.size() > saved.size()) {
                    throw FileError(shownName, "a write would reach outside the dictionary");
                }
                std::copy(patch.bytes.begin(), patch.bytes.end(),
                          saved.begin() + static_cast<std::ptrdiff_t>(patch.offset));
            }
            return std::move(saved);
        });
}

}  // namespace tinplate
