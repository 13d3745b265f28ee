// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Just enough JSON to read `list --json` back: objects, arrays, strings (\uXXXX of the basic
// plane decoded to UTF-8) and integers. Anything else, or trailing text, throws.
struct JsonValue {
    std::string text;  // a string, or the digits of a number
    std::vector<std::string> keys;
    std::vector<JsonValue> items;  // array elements, or object values in the order of `keys`

    const JsonValue& operator[](std::size_t index) const { return items.at(index); }
    const JsonValue& operator[](std::string_view key) const;
};

JsonValue ParseJson(std::string_view json);
