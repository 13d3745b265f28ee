// SPDX-License-Identifier: GPL-3.0-or-later
// Giving textures filter modes, addressing and mask names.
#include "edits/TextureProperties.h"

#include "edits/EditRefused.h"
#include "edits/TextureName.h"

namespace tinplate {

namespace {

template <typename Value, typename Get>
std::optional<Value> Shared(const std::vector<const TextureEntry*>& textures, Get get) {
    std::optional<Value> shared;
    for (const TextureEntry* texture : textures) {
        const Value value = get(*texture);
        if (shared && *shared != value) {
            return std::nullopt;
        }
        shared = value;
    }
    return shared;
}

std::uint32_t FieldOf(const FilterSettings& settings, FilterField field) {
    switch (field) {
        case FilterField::Mode:
            return settings.mode;
        case FilterField::U:
            return settings.u;
        case FilterField::V:
            return settings.v;
    }
    return 0;
}

}  // namespace

std::optional<std::uint32_t> SharedFilterValue(const std::vector<const TextureEntry*>& textures,
                                               FilterField field) {
    return Shared<std::uint32_t>(textures, [field](const TextureEntry& texture) {
        return FieldOf(DecodeFilterWord(texture.record.filterFlags), field);
    });
}

std::optional<std::string> SharedMaskName(const std::vector<const TextureEntry*>& textures) {
    return Shared<std::string>(textures,
                               [](const TextureEntry& texture) { return texture.record.maskName; });
}

std::optional<std::string> WhyPropertiesRefused(const PropertyChanges& changes) {
    const std::pair<const std::optional<std::uint32_t>*, FilterField> fields[] = {
        {&changes.mode, FilterField::Mode},
        {&changes.u, FilterField::U},
        {&changes.v, FilterField::V}};
    for (const auto& [value, field] : fields) {
        if (*value && **value > FilterFieldMaximum(field)) {
            return "a value of " + std::to_string(**value) + " does not fit its field (0 to " +
                   std::to_string(FilterFieldMaximum(field)) + ")";
        }
    }
    if (changes.mask && !changes.mask->empty()) {
        if (const auto why = WhyNotTextureName(*changes.mask, {})) {
            return "mask name: " + *why;
        }
    }
    return std::nullopt;
}

bool ApplyProperties(TextureRecord& record, const PropertyChanges& changes) {
    if (const auto why = WhyPropertiesRefused(changes)) {
        throw EditRefused(*why);
    }
    FilterSettings settings = DecodeFilterWord(record.filterFlags);
    settings.mode = changes.mode.value_or(settings.mode);
    settings.u = changes.u.value_or(settings.u);
    settings.v = changes.v.value_or(settings.v);
    const std::uint32_t word = EncodeFilterWord(record.filterFlags, settings);
    const std::string mask = changes.mask.value_or(record.maskName);
    const bool changed = word != record.filterFlags || mask != record.maskName;
    record.filterFlags = word;
    record.maskName = mask;
    return changed;
}

}  // namespace tinplate
