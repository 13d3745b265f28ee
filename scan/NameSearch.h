// SPDX-License-Identifier: GPL-3.0-or-later
// Texture names searched as the user types: every name holding the typed text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tinplate {

// The names live in one block of memory, folded to lower case, so a search is one pass of a
// substring search over it; a search that extends the previous one (the user typed one more
// letter) looks only at the previous matches.
class NameSearch {
public:
    // Adds a name; the names are numbered from 0 in the order added.
    void Add(std::string_view name);
    std::size_t size() const { return m_starts.size(); }

    // The numbers of the names that hold `text`, letter case (A to Z) aside, in the order
    // added. Every name holds the empty text.
    const std::vector<std::uint32_t>& Find(std::string_view text);

private:
    std::string_view Name(std::uint32_t number) const;
    void FindEverywhere(const std::string& folded);
    void FindAmongLast(const std::string& folded);

    std::string m_names;  // each folded name followed by a NUL
    std::vector<std::uint32_t> m_starts;
    std::string m_lastText;
    std::vector<std::uint32_t> m_lastMatches;
    bool m_lastValid = false;
};

}  // namespace tinplate
