// SPDX-License-Identifier: GPL-3.0-or-later
#include "DictionaryEdits.h"

#include <bit>
#include <utility>

#include "BoxFilter.h"
#include "EditRefused.h"
#include "TexelCodec.h"
#include "TextureBuild.h"
#include "TextureName.h"

namespace {

constexpr std::size_t kMaxTextures = 0xFFFF;
constexpr std::uint32_t kMaxSide = 0xFFFF;
// Pictures stay within 1 GiB of RGBA while they are converted.
constexpr std::uint64_t kMaxPixels = std::uint64_t{1} << 28;
// Linear filtering, with and without levels, for textures that bring no filter of their own.
constexpr std::uint32_t kNewTextureFilter = 0x1102;

TextureEntry& At(std::vector<TextureEntry>& textures, std::size_t index) {
    if (index >= textures.size()) {
        throw EditRefused("there is no texture " + std::to_string(index + 1) +
                          "; the dictionary holds " + std::to_string(textures.size()));
    }
    return textures[index];
}

void RequireName(const std::string& name, const std::vector<TextureEntry>& textures,
                 std::optional<std::size_t> renamed) {
    if (auto reason = WhyNotTextureName(name, textures, renamed)) {
        throw EditRefused(*reason);
    }
}

void RequirePictureSize(std::uint64_t width, std::uint64_t height) {
    if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide ||
        width * height > kMaxPixels) {
        throw EditRefused("a texture of " + std::to_string(width) + " x " + std::to_string(height) +
                          " cannot be made: sides run from 1 to " + std::to_string(kMaxSide) +
                          " and the area up to " + std::to_string(kMaxPixels) + " pixels");
    }
}

// The texture's kind and its first level as a picture, for edits that redraw it.
std::pair<TextureKind, RgbaImage> Decoded(const TextureEntry& texture) {
    const auto kind = KindOf(texture.record);
    auto picture = kind ? DecodeFirstLevel(texture.record) : std::nullopt;
    if (!picture) {
        throw EditRefused(TextureLabel(texture) +
                          " is of a kind that cannot be converted (only 8-bit, 32-bit, DXT1, "
                          "DXT3 and DXT5 textures can)");
    }
    return {*kind, std::move(*picture)};
}

bool HasLevels(const TextureRecord& record) {
    return record.mipCount > 1;
}

}  // namespace

void AddTexture(std::vector<TextureEntry>& textures, const std::string& name,
                const RgbaImage& picture, TextureKind kind) {
    RequireName(name, textures, std::nullopt);
    if (textures.size() >= kMaxTextures) {
        throw EditRefused("a dictionary holds at most " + std::to_string(kMaxTextures) +
                          " textures");
    }
    RequirePictureSize(picture.width, picture.height);
    TextureEntry entry{name, BuildTexture(picture, kind, false, kNewTextureFilter)};
    textures.push_back(std::move(entry));
}

void RemoveTexture(std::vector<TextureEntry>& textures, std::size_t index) {
    At(textures, index);
    textures.erase(textures.begin() + static_cast<std::ptrdiff_t>(index));
}

void RenameTexture(std::vector<TextureEntry>& textures, std::size_t index,
                   const std::string& name) {
    TextureEntry& texture = At(textures, index);
    RequireName(name, textures, index);
    texture.name = name;
}

void MoveTexture(std::vector<TextureEntry>& textures, std::size_t index, MoveDirection direction) {
    const TextureEntry& texture = At(textures, index);
    const bool up = direction == MoveDirection::kUp;
    if (up ? index == 0 : index + 1 == textures.size()) {
        throw EditRefused(TextureLabel(texture) + " is already the " + (up ? "first" : "last"));
    }
    std::swap(textures[index], textures[up ? index - 1 : index + 1]);
}

void ReplaceTexture(std::vector<TextureEntry>& textures, std::size_t index,
                    const RgbaImage& picture) {
    TextureEntry& texture = At(textures, index);
    const auto kind = KindOf(texture.record);
    if (!kind) {
        throw EditRefused(TextureLabel(texture) + " is of a kind that cannot be drawn anew");
    }
    RequirePictureSize(picture.width, picture.height);
    texture.record =
        BuildTexture(picture, *kind, HasLevels(texture.record), texture.record.filterFlags);
}

bool ChangeKind(std::vector<TextureEntry>& textures, std::size_t index, TextureKind kind) {
    TextureEntry& texture = At(textures, index);
    auto [current, picture] = Decoded(texture);
    if (current == kind) {
        return false;
    }
    texture.record =
        BuildTexture(picture, kind, HasLevels(texture.record), texture.record.filterFlags);
    return true;
}

bool ResizeTexture(std::vector<TextureEntry>& textures, std::size_t index, std::uint32_t width,
                   std::uint32_t height) {
    TextureEntry& texture = At(textures, index);
    if (!std::has_single_bit(width) || !std::has_single_bit(height) || width > kMaxSide ||
        height > kMaxSide) {
        throw EditRefused("a texture's sides must be powers of two from 1 to 32768, not " +
                          std::to_string(width) + " x " + std::to_string(height));
    }
    RequirePictureSize(width, height);
    auto [kind, picture] = Decoded(texture);
    if (picture.width == width && picture.height == height) {
        return false;
    }
    texture.record = RedrawTexture(texture.record, kind, BoxResample(picture, width, height),
                                   HasLevels(texture.record));
    return true;
}

bool MakeMipLevels(std::vector<TextureEntry>& textures, std::size_t index) {
    TextureEntry& texture = At(textures, index);
    if (HasLevels(texture.record)) {
        return false;
    }
    auto [kind, picture] = Decoded(texture);
    if (picture.width == 1 && picture.height == 1) {
        return false;
    }
    texture.record = WithLevelChain(texture.record, kind, picture);
    return true;
}

bool RemoveMipLevels(std::vector<TextureEntry>& textures, std::size_t index) {
    TextureEntry& texture = At(textures, index);
    if (!HasLevels(texture.record)) {
        return false;
    }
    texture.record = WithoutLevels(texture.record);
    return true;
}
