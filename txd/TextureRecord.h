// SPDX-License-Identifier: GPL-3.0-or-later
// One texture of a dictionary: its header fields, offsets and bytes.
#pragma once

#include <cstdint>
#include <string>

#include "txd/ByteBuffer.h"

namespace tinplate {

// How a texture's uncompressed levels lie beyond their rows: row after row, or swizzled
// (Morton order, as platform 5's games read them). A texture too small or too flat to tell
// from its texels is taken to be swizzled, and says it was guessed.
enum class TexelOrder : std::uint8_t { kLinear, kSwizzled, kGuessedSwizzled };

inline bool IsSwizzled(TexelOrder order) {
    return order != TexelOrder::kLinear;
}

// One texture of the open dictionary. Sizes and offsets are fixed when the dictionary is
// read; editing in place changes only the contents of `pixels` and `palette` and the
// `hasAlpha` word, which is what lets Save write every record back over the bytes it came
// from. Restructuring (new textures, other sizes, kinds or levels) marks the record
// `laidOutAnew`, and such a dictionary is written whole.
struct TextureRecord {
    std::uint32_t paletteSize = 0;
    std::uint32_t paletteOffset = 0;
    std::uint32_t pixelSize = 0;
    std::uint32_t pixelOffset = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int16_t depth = 0;
    std::int32_t compression = 0;
    std::int16_t mipCount = 0;
    std::uint32_t hasAlpha = 0;
    std::uint32_t alphaFlags = 0;
    std::uint32_t filterFlags = 0;
    // The platform id, which decides the block's layout, and the header fields that only some
    // layouts have, kept so that the block is written back as it was read: the raster type,
    // and platform 9's D3D format word and flags byte.
    std::uint32_t platform = 5;
    std::uint8_t rasterType = 4;
    std::uint32_t d3dFormat = 0;
    std::uint8_t d3dFlags = 0;
    std::string maskName;
    // The order of the levels after the first, and of the first, which Swizzle All and
    // Unswizzle All change on their own. Judged when the texture is read; every edit keeps
    // them, and a texture made anew gets the order its platform's games read.
    TexelOrder order = TexelOrder::kLinear;
    TexelOrder firstLevelOrder = TexelOrder::kLinear;
    std::uint32_t headerOffset = 0;
    // First byte past the texture's struct chunk: nothing of this texture is written at or
    // beyond it.
    std::uint32_t levelDataEnd = 0;
    // First byte past the texture's block: the whole-file writer copies the block from
    // `headerOffset` up to here.
    std::uint32_t blockEnd = 0;
    // The texture no longer matches its old block (or never had one): the whole-file writer
    // lays it out from the fields, `palette`, `pixels` and `smallerLevels`, and its offsets
    // name no place in a file.
    bool laidOutAnew = false;
    ByteBuffer pixels;
    ByteBuffer palette;
    // The levels after the first, one after another as stored (as far as they fit the
    // texture's data). Save writes them back behind the first level; an 8-bit texture's are
    // rebuilt from its first level instead once that level or its palette changed.
    ByteBuffer smallerLevels;
};

// A texture as the dictionary lists it: its name (the list item's text) and its record.
struct TextureEntry {
    std::string name;
    TextureRecord record;
};

// How messages name a texture: texture "NAME".
inline std::string TextureLabel(const TextureEntry& texture) {
    return "texture \"" + texture.name + "\"";
}

}  // namespace tinplate
