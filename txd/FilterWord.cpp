// SPDX-License-Identifier: GPL-3.0-or-later
// Taking the filter word apart, putting it together, and naming its values.
#include "txd/FilterWord.h"

#include <array>
#include <charconv>
#include <span>
#include <string_view>

namespace tinplate {

namespace {

constexpr std::array<std::string_view, 7> kModeNames = {"none",
                                                        "nearest",
                                                        "linear",
                                                        "mip-nearest",
                                                        "mip-linear",
                                                        "linear-mip-nearest",
                                                        "linear-mip-linear"};
constexpr std::array<std::string_view, 5> kAddressNames = {"none", "wrap", "mirror", "clamp",
                                                           "border"};

std::span<const std::string_view> NamesOf(FilterField field) {
    if (field == FilterField::Mode) {
        return kModeNames;
    }
    return kAddressNames;
}

}  // namespace

FilterSettings DecodeFilterWord(std::uint32_t word) {
    return {word & 0xFF, (word >> 8) & 0xF, (word >> 12) & 0xF};
}

std::uint32_t EncodeFilterWord(std::uint32_t word, const FilterSettings& settings) {
    return (word & ~std::uint32_t{0xFFFF}) | (settings.mode & 0xFF) | (settings.u & 0xF) << 8 |
           (settings.v & 0xF) << 12;
}

std::uint32_t FilterFieldMaximum(FilterField field) {
    return field == FilterField::Mode ? 0xFF : 0xF;
}

std::uint32_t NamedFilterValues(FilterField field) {
    return static_cast<std::uint32_t>(NamesOf(field).size());
}

std::string FilterValueName(FilterField field, std::uint32_t value) {
    const auto names = NamesOf(field);
    return value < names.size() ? std::string(names[value]) : std::string();
}

std::optional<std::uint32_t> ParseFilterValue(FilterField field, const std::string& word) {
    const auto names = NamesOf(field);
    for (std::uint32_t i = 0; i < names.size(); ++i) {
        if (word == names[i]) {
            return i;
        }
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
    if (word.empty() || error != std::errc() || end != word.data() + word.size() ||
        value > FilterFieldMaximum(field)) {
        return std::nullopt;
    }
    return value;
}

}  // namespace tinplate
