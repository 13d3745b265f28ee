// SPDX-License-Identifier: GPL-3.0-or-later
// The filter and addressing word of a texture: its fields and their names.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tinplate {

// How a game samples a texture, as the header's filter word holds it: the filter mode in bits
// 0-7, U addressing in bits 8-11, V addressing in bits 12-15. The bits above are kept as read.
struct FilterSettings {
    std::uint32_t mode = 0;
    std::uint32_t u = 0;
    std::uint32_t v = 0;
};

enum class FilterField { Mode, U, V };

FilterSettings DecodeFilterWord(std::uint32_t word);
// `word` with the three fields of `settings` put in and every other bit left as it was.
std::uint32_t EncodeFilterWord(std::uint32_t word, const FilterSettings& settings);

// The largest value a field holds (255 for the mode, 15 for addressing).
std::uint32_t FilterFieldMaximum(FilterField field);
// Number of values that have a name: 7 filter modes (none ... linear-mip-linear), 5
// addressing modes (none, wrap, mirror, clamp, border).
std::uint32_t NamedFilterValues(FilterField field);
// The value's name ("linear-mip-linear", "wrap"), or empty for a value without one.
std::string FilterValueName(FilterField field, std::uint32_t value);
// A name, or a number up to FilterFieldMaximum; nothing for any other word.
std::optional<std::uint32_t> ParseFilterValue(FilterField field, const std::string& word);

}  // namespace tinplate
