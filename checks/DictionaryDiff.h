// SPDX-License-Identifier: GPL-3.0-or-later
// What changed between two versions of a dictionary, texture by texture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "checks/LevelComparison.h"
#include "txd/TextureRecord.h"

namespace tinplate {

struct TextureRef {
    std::size_t index = 0;
    std::string name;
};

// A header value under the key `list --json` gives it.
struct FieldChange {
    std::string_view field;
    std::int64_t before = 0;
    std::int64_t after = 0;
};

// A texture of the same name in both.
struct TextureChanges {
    TextureRef a;
    TextureRef b;
    std::vector<FieldChange> fields;
    bool paletteDiffers = false;
    std::vector<LevelComparison> levels;  // each level present in both

    bool Same() const;
};

struct MovedTexture {
    std::string name;
    std::size_t from = 0;
    std::size_t to = 0;
};

struct RenamedTexture {
    TextureRef a;
    TextureRef b;
};

struct DictionaryDiff {
    std::vector<TextureRef> added;    // in B only
    std::vector<TextureRef> removed;  // in A only
    // Textures of the same name whose order against the others changed: the fewest that,
    // moved, give B's order.
    std::vector<MovedTexture> moved;
    // Removed and added textures with the same kind, palette and first level: renamed, it
    // seems.
    std::vector<RenamedTexture> renamed;
    std::vector<TextureChanges> common;  // in A's order

    // The same textures in the same order with the same bytes.
    bool Same() const;
};

// Textures are matched by name; of several with one name, the first in A goes with the first
// in B, and so on.
DictionaryDiff DiffDictionaries(const std::vector<TextureEntry>& a,
                                const std::vector<TextureEntry>& b);

}  // namespace tinplate
