// SPDX-License-Identifier: GPL-3.0-or-later
// What a check found: a rule broken by one texture or by the file as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tinplate {

// Error: a game refuses the texture or shows it wrongly. Warning: wasteful or suspicious.
// Note: worth knowing, harmless.
enum class Severity { Note, Warning, Error };

// "note", "warning", "error".
std::string_view SeverityWord(Severity severity);

// A number behind the message, for scripts: the side that is too long, the level that
// differs.
struct FindingValue {
    std::string key;
    std::int64_t value = 0;
};

struct Finding {
    std::optional<std::size_t> texture;  // its index in the dictionary; none for the file
    std::string textureName;
    std::string_view rule;
    Severity severity = Severity::Note;
    std::string message;
    std::vector<FindingValue> values;
};

}  // namespace tinplate
