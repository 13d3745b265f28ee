// SPDX-License-Identifier: GPL-3.0-or-later
// Add, remove, rename, move, replace, convert, resize and levels of textures.
#include "edits/DictionaryEdits.h"

#include <bit>
#include <stdexcept>
#include <utility>

#include "edits/EditRefused.h"
#include "edits/TextureName.h"
#include "texture/BoxFilter.h"
#include "texture/LevelDecode.h"
#include "texture/TextureBuild.h"
#include "txd/PlatformLayout.h"

namespace tinplate {

namespace {

constexpr std::size_t kMaxTextures = 0xFFFF;
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

void RequireSize(std::uint64_t width, std::uint64_t height) {
    try {
        RequirePictureSize(width, height, 0, 0, "");
    } catch (const FileError& error) {
        throw EditRefused(error.reason());
    }
}

// The texture's kind, refusing kinds that cannot be drawn anew.
TextureKind KindToRedraw(const TextureEntry& texture) {
    const auto kind = MakeableKindOf(texture.record);
    if (!kind) {
        throw EditRefused(TextureLabel(texture) +
                          " is of a kind that cannot be converted (only 8-bit, 32-bit, DXT1, "
                          "DXT3 and DXT5 textures can)");
    }
    return *kind;
}

FilePicture FirstLevel(const TextureRecord& record) {
    return {GamePicture(record), {}, {}};
}

bool HasLevels(const TextureRecord& record) {
    return record.mipCount > 1;
}

// Edits that keep a texture's sides and kind make it no harder for its platform to hold.
PictureImportOptions SameSides() {
    PictureImportOptions options;
    options.beyondPlatform = true;
    return options;
}

// A library failure refuses the edit; `make` builds the texture's new record, which its
// platform must be able to hold unless the options say otherwise.
template <typename Make>
void Lay(TextureEntry& texture, const PictureImportOptions& options, Make make) {
    TextureRecord made;
    try {
        made = make();
    } catch (const EditRefused&) {
        throw;
    } catch (const std::runtime_error& error) {
        throw EditRefused(TextureLabel(texture) + ": " + error.what());
    }
    if (const std::string why = SidesRefusal(made, made.width, made.height);
        !why.empty() && !options.beyondPlatform) {
        throw PlatformCannotHold(TextureLabel(texture) + ": " + why);
    }
    texture.record = std::move(made);
}

}  // namespace

void AddTexture(std::vector<TextureEntry>& textures, const std::string& name, FilePicture picture,
                TextureKind kind, const PictureImportOptions& options,
                std::uint32_t platformWhenEmpty) {
    RequireName(name, textures, std::nullopt);
    if (textures.size() >= kMaxTextures) {
        throw EditRefused("a dictionary holds at most " + std::to_string(kMaxTextures) +
                          " textures");
    }
    RequireSize(picture.image.width, picture.image.height);
    // A new texture takes the layout of the dictionary's first.
    const std::uint32_t platform =
        textures.empty() ? platformWhenEmpty : textures.front().record.platform;
    TextureEntry entry{name, {}};
    Lay(entry, options, [&] {
        return BuildTexture(std::move(picture), kind, false, kNewTextureFilter, options, platform);
    });
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

void ReplaceTexture(std::vector<TextureEntry>& textures, std::size_t index, FilePicture picture,
                    const PictureImportOptions& options) {
    TextureEntry& texture = At(textures, index);
    KindToRedraw(texture);
    RequireSize(picture.image.width, picture.image.height);
    Lay(texture, options, [&] {
        return RedrawTexture(texture.record, std::move(picture), HasLevels(texture.record),
                             options);
    });
}

bool ChangeKind(std::vector<TextureEntry>& textures, std::size_t index, TextureKind kind,
                const PictureImportOptions& options) {
    TextureEntry& texture = At(textures, index);
    if (KindToRedraw(texture) == kind) {
        return false;
    }
    Lay(texture, options, [&] {
        return BuildTexture(FirstLevel(texture.record), kind, HasLevels(texture.record),
                            texture.record.filterFlags, options, texture.record.platform);
    });
    return true;
}

bool ResizeTexture(std::vector<TextureEntry>& textures, std::size_t index, std::uint32_t width,
                   std::uint32_t height, const PictureImportOptions& options) {
    TextureEntry& texture = At(textures, index);
    if (!std::has_single_bit(width) || !std::has_single_bit(height) || width > 32768 ||
        height > 32768) {
        throw EditRefused("a texture's sides must be powers of two from 1 to 32768, not " +
                          std::to_string(width) + " x " + std::to_string(height));
    }
    RequireSize(width, height);
    KindToRedraw(texture);
    const TextureRecord& r = texture.record;
    if (r.width == width && r.height == height) {
        return false;
    }
    Lay(texture, options, [&] {
        FilePicture picture{BoxFilter(FirstLevel(r).image, width, height), {}, {}};
        return RedrawTexture(r, std::move(picture), HasLevels(r), options);
    });
    return true;
}

bool MakeMipLevels(std::vector<TextureEntry>& textures, std::size_t index,
                   const PictureImportOptions& options) {
    TextureEntry& texture = At(textures, index);
    KindToRedraw(texture);
    const TextureRecord& r = texture.record;
    if (HasLevels(r) || (r.width == 1 && r.height == 1)) {
        return false;
    }
    Lay(texture, SameSides(), [&] { return WithLevelChain(r, options.dxtQuality); });
    return true;
}

bool RemoveMipLevels(std::vector<TextureEntry>& textures, std::size_t index) {
    TextureEntry& texture = At(textures, index);
    if (!HasLevels(texture.record)) {
        return false;
    }
    KindToRedraw(texture);
    Lay(texture, SameSides(), [&] { return WithoutLevels(texture.record); });
    return true;
}

}  // namespace tinplate
