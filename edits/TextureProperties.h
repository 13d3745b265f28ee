// SPDX-License-Identifier: GPL-3.0-or-later
// Texture > Properties: the filter mode, addressing and mask name of textures.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "txd/FilterWord.h"
#include "txd/TextureRecord.h"

namespace tinplate {

// The properties to give a texture; those left empty keep their value.
struct PropertyChanges {
    std::optional<std::uint32_t> mode;
    std::optional<std::uint32_t> u;
    std::optional<std::uint32_t> v;
    std::optional<std::string> mask;

    bool Empty() const { return !mode && !u && !v && !mask; }
};

// The value of one filter field shared by every texture of `textures`, or nothing when they
// differ (or there are none): what a dialog for several textures shows.
std::optional<std::uint32_t> SharedFilterValue(const std::vector<const TextureEntry*>& textures,
                                               FilterField field);
std::optional<std::string> SharedMaskName(const std::vector<const TextureEntry*>& textures);

// Why `changes` cannot be given to a texture (a value out of its field, a mask name that no
// texture could have: the rules of texture names, except that it may be empty or name one of
// the dictionary's own textures); nothing when they can.
std::optional<std::string> WhyPropertiesRefused(const PropertyChanges& changes);

// Gives the texture the changes, touching only the filter word's fields and the mask name;
// returns whether anything changed. Throws EditRefused (nothing changed) for refused changes.
bool ApplyProperties(TextureRecord& record, const PropertyChanges& changes);

}  // namespace tinplate
