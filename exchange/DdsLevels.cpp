// SPDX-License-Identifier: GPL-3.0-or-later
// Writing every level as a DDS file, and reading a DDS file's first level.
#include "exchange/DdsLevels.h"

#include <squish.h>

#include <algorithm>
#include <cstring>

#include "fileio/ByteOrder.h"
#include "texture/LevelDecode.h"
#include "txd/GameLevels.h"
#include "txd/LevelChain.h"
#include "txd/TextureKinds.h"
#include "workfiles/DdsFile.h"

namespace tinplate {

namespace {

constexpr std::uint32_t kHeaderFlags = 0x1007;  // caps, height, width, pixel format
constexpr std::uint32_t kPitchFlag = 0x8;
constexpr std::uint32_t kMipMapCountFlag = 0x20000;
constexpr std::uint32_t kLinearSizeFlag = 0x80000;
constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kFourCcFlag = 0x4;
constexpr std::uint32_t kRgbFlag = 0x40;
constexpr std::uint32_t kTextureCaps = 0x1000;
constexpr std::uint32_t kMipMapCaps = 0x400008;  // complex, mip-map
constexpr std::size_t kPitchOffset = 20;
constexpr std::size_t kMipCountOffset = 28;
constexpr std::size_t kPixelFlagsOffset = 80;
constexpr std::size_t kBitCountOffset = 88;
constexpr std::size_t kMasksOffset = 92;  // red, green, blue, alpha
constexpr std::size_t kCapsOffset = 108;

struct UncompressedLayout {
    std::uint32_t bits;
    std::uint32_t masks[4];
};

UncompressedLayout LayoutOf(TextureKind kind) {
    switch (kind) {
        case TextureKind::kRgb565:
            return {16, {0xF800, 0x07E0, 0x001F, 0}};
        case TextureKind::kArgb1555:
            return {16, {0x7C00, 0x03E0, 0x001F, 0x8000}};
        case TextureKind::kArgb4444:
            return {16, {0x0F00, 0x00F0, 0x000F, 0xF000}};
        case TextureKind::kRgb888:
            return {24, {0xFF0000, 0xFF00, 0xFF, 0}};
        default:
            return {32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}};
    }
}

// Level `index` as the game draws it, rows from the top; 8-bit levels are looked up in the
// palette first. False when the level cannot be read in game order.
bool AppendGameLevel(const TextureRecord& record, std::size_t index,
                     std::vector<std::uint8_t>& out) {
    if (IsPalettised(KindOf(record))) {
        const RgbaImage image = GamePicture(record, index);
        for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
            out.insert(out.end(),
                       {image.rgba[i + 2], image.rgba[i + 1], image.rgba[i], image.rgba[i + 3]});
        }
        return !image.rgba.empty();
    }
    const GameLevel level = GameLevelOf(record, index);
    out.insert(out.end(), level.bytes.begin(), level.bytes.end());
    return !level.bytes.empty();
}

std::vector<std::uint8_t> Header(const TextureRecord& record, std::uint32_t levels) {
    std::vector<std::uint8_t> header(kDdsHeaderSize, 0);
    std::memcpy(header.data(), "DDS ", 4);
    WriteLe32(header, 4, 124);
    WriteLe32(header, kDdsHeightOffset, record.height);
    WriteLe32(header, kDdsWidthOffset, record.width);
    WriteLe32(header, kMipCountOffset, levels);
    WriteLe32(header, 76, 32);  // pixel format size
    WriteLe32(header, kCapsOffset, kTextureCaps | (levels > 1 ? kMipMapCaps : 0));
    const TextureKind kind = KindOf(record);
    if (IsBlockCompressed(kind)) {
        WriteLe32(header, 8, kHeaderFlags | kMipMapCountFlag | kLinearSizeFlag);
        WriteLe32(header, kPitchOffset, record.pixelSize);
        WriteLe32(header, kPixelFlagsOffset, kFourCcFlag);
        std::memcpy(header.data() + kDdsFourCcOffset, FactsOf(kind).fourCc, 4);
        return header;
    }
    const UncompressedLayout layout = LayoutOf(kind);
    const bool alpha = UsesAlpha(record);
    WriteLe32(header, 8, kHeaderFlags | kMipMapCountFlag | kPitchFlag);
    WriteLe32(header, kPitchOffset, record.width * (layout.bits / 8));
    WriteLe32(header, kPixelFlagsOffset, kRgbFlag | (alpha ? kAlphaPixels : 0));
    WriteLe32(header, kBitCountOffset, layout.bits);
    for (int i = 0; i < 4; ++i) {
        WriteLe32(header, kMasksOffset + 4 * i, i == 3 && !alpha ? 0 : layout.masks[i]);
    }
    return header;
}

bool MasksAre(std::span<const std::uint8_t> file, const UncompressedLayout& layout) {
    for (int i = 0; i < 3; ++i) {
        if (ReadLe32(file, kMasksOffset + 4 * i) != layout.masks[i]) {
            return false;
        }
    }
    return ReadLe32(file, kBitCountOffset) == layout.bits;
}

// Whether the file's pixel format is the one EncodeDdsWithLevels gives the record's kind.
bool HoldsKindOf(std::span<const std::uint8_t> file, const TextureRecord& record) {
    const TextureKind kind = KindOf(record);
    const std::uint32_t pixelFlags = ReadLe32(file, kPixelFlagsOffset);
    if (IsBlockCompressed(kind)) {
        return (pixelFlags & kFourCcFlag) &&
               std::memcmp(&file[kDdsFourCcOffset], FactsOf(kind).fourCc, 4) == 0;
    }
    if (IsPalettised(kind) || !HasPicture(kind) || !(pixelFlags & kRgbFlag) ||
        (pixelFlags & kFourCcFlag)) {
        return false;
    }
    const UncompressedLayout layout = LayoutOf(kind);
    const std::uint32_t alphaMask = ReadLe32(file, kMasksOffset + 12);
    return MasksAre(file, layout) && (alphaMask == 0 || alphaMask == layout.masks[3]);
}

}  // namespace

std::optional<StoredLevels> GameLevelsInDds(std::span<const std::uint8_t> file,
                                            const TextureRecord& record) {
    if (file.size() < kDdsHeaderSize || std::memcmp(file.data(), "DDS ", 4) != 0 ||
        ReadLe32(file, kDdsWidthOffset) != record.width ||
        ReadLe32(file, kDdsHeightOffset) != record.height || record.pixelSize == 0 ||
        !HoldsKindOf(file, record)) {
        return std::nullopt;
    }
    const std::vector<LevelSize> smaller = SmallerLevelSizes(record);
    // A file of one level need not say how many it holds.
    const std::uint32_t levels = std::max<std::uint32_t>(ReadLe32(file, kMipCountOffset), 1);
    std::uint64_t needed = record.pixelSize;
    for (const LevelSize& level : smaller) {
        needed += level.bytes;
    }
    const auto data = file.subspan(kDdsHeaderSize);
    if (levels < smaller.size() + 1 || data.size() < needed) {
        return std::nullopt;
    }
    StoredLevels game;
    game.first.assign(data.begin(), data.begin() + record.pixelSize);
    game.smaller.assign(data.begin() + record.pixelSize,
                        data.begin() + static_cast<std::ptrdiff_t>(needed));
    return game;
}

std::optional<StoredLevels> CountedGameLevelsInDds(std::span<const std::uint8_t> file,
                                                   const TextureRecord& record) {
    if (file.size() < kDdsHeaderSize || !(ReadLe32(file, 8) & kMipMapCountFlag)) {
        return std::nullopt;
    }
    return GameLevelsInDds(file, record);
}

std::vector<std::uint8_t> EncodeDdsWithLevels(const TextureRecord& record) {
    const std::size_t levels = LevelCount(record);
    std::vector<std::uint8_t> file = Header(record, static_cast<std::uint32_t>(levels));
    for (std::size_t index = 0; index < levels; ++index) {
        if (!AppendGameLevel(record, index, file)) {
            break;
        }
    }
    return file;
}

FilePicture ReadDdsFirstLevel(std::span<const std::uint8_t> file, const std::string& fileName,
                              std::uint32_t width, std::uint32_t height) {
    if (file.size() < kDdsHeaderSize || std::memcmp(file.data(), "DDS ", 4) != 0) {
        throw FileError(fileName, "it is not a whole DDS file");
    }
    RequirePictureSize(ReadLe32(file, kDdsWidthOffset), ReadLe32(file, kDdsHeightOffset), width,
                       height, fileName);
    width = ReadLe32(file, kDdsWidthOffset);
    height = ReadLe32(file, kDdsHeightOffset);
    const std::uint32_t pixelFlags = ReadLe32(file, kPixelFlagsOffset);
    const std::string fourCc(reinterpret_cast<const char*>(&file[kDdsFourCcOffset]), 4);
    const std::size_t pixels = std::size_t{width} * height;
    const auto data = file.subspan(kDdsHeaderSize);
    FilePicture level;
    level.image = {width, height, std::vector<std::uint8_t>(pixels * 4)};
    if (pixelFlags & kFourCcFlag) {
        const int format = fourCc == "DXT1"   ? squish::kDxt1
                           : fourCc == "DXT3" ? squish::kDxt3
                           : fourCc == "DXT5" ? squish::kDxt5
                                              : 0;
        if (format == 0) {
            throw FileError(fileName, "it holds " + fourCc + " data; DXT1, DXT3 or DXT5 is taken");
        }
        const std::size_t size = static_cast<std::size_t>(squish::GetStorageRequirements(
            static_cast<int>(width), static_cast<int>(height), format));
        if (data.size() < size) {
            throw FileError(fileName, "it ends inside its first level");
        }
        level.fourCc = fourCc;
        level.blocks.assign(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(size));
        if (pixels > 0) {
            squish::DecompressImage(level.image.rgba.data(), static_cast<int>(width),
                                    static_cast<int>(height), level.blocks.data(), format);
        }
        return level;
    }
    const bool rgb24 = MasksAre(file, LayoutOf(TextureKind::kRgb888));
    if (!(pixelFlags & kRgbFlag) || (!rgb24 && !MasksAre(file, LayoutOf(TextureKind::kRgba32)))) {
        throw FileError(fileName,
                        "its pixel format is none of DXT1, DXT3, DXT5, A8R8G8B8, "
                        "X8R8G8B8 and R8G8B8");
    }
    const std::size_t texelBytes = rgb24 ? 3 : 4;
    const bool alpha =
        !rgb24 && (pixelFlags & kAlphaPixels) && ReadLe32(file, kMasksOffset + 12) == 0xFF000000u;
    if (data.size() / texelBytes < pixels) {
        throw FileError(fileName, "it ends inside its first level");
    }
    for (std::size_t p = 0; p < pixels; ++p) {
        const std::uint8_t* texel = &data[p * texelBytes];
        std::uint8_t* out = &level.image.rgba[p * 4];
        out[0] = texel[2];
        out[1] = texel[1];
        out[2] = texel[0];
        out[3] = alpha ? texel[3] : 255;
    }
    return level;
}

}  // namespace tinplate
