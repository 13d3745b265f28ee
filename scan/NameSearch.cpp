// SPDX-License-Identifier: GPL-3.0-or-later
// The name block, the full search and the narrowing one.
#include "scan/NameSearch.h"

#include <string.h>
#include <algorithm>
#include <cstring>

namespace tinplate {

namespace {

char Folded(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedText(std::string_view text) {
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), Folded);
    return folded;
}

}  // namespace

void NameSearch::Add(std::string_view name) {
    m_starts.push_back(static_cast<std::uint32_t>(m_names.size()));
    // A NUL inside a name would end it early: the name is searched up to there.
    m_names += FoldedText(name.substr(0, name.find('\0')));
    m_names += '\0';
    m_lastValid = false;
}

std::string_view NameSearch::Name(std::uint32_t number) const {
    const std::uint32_t start = m_starts[number];
    const std::uint32_t end = number + 1 < m_starts.size()
                                  ? m_starts[number + 1] - 1
                                  : static_cast<std::uint32_t>(m_names.size() - 1);
    return std::string_view(m_names).substr(start, end - start);
}

const std::vector<std::uint32_t>& NameSearch::Find(std::string_view text) {
    const std::string folded = FoldedText(text.substr(0, text.find('\0')));
    if (m_lastValid && folded == m_lastText) {
        return m_lastMatches;
    }
    if (m_lastValid && folded.find(m_lastText) != std::string::npos) {
        FindAmongLast(folded);
    } else {
        FindEverywhere(folded);
    }
    m_lastText = folded;
    m_lastValid = true;
    return m_lastMatches;
}

void NameSearch::FindEverywhere(const std::string& folded) {
    m_lastMatches.clear();
    if (folded.empty()) {
        m_lastMatches.resize(m_starts.size());
        for (std::uint32_t i = 0; i < m_starts.size(); ++i) {
            m_lastMatches[i] = i;
        }
        return;
    }
    const char* const begin = m_names.data();
    const char* const end = begin + m_names.size();
    const char* at = begin;
    while (at < end) {
        const void* hit =
            ::memmem(at, static_cast<std::size_t>(end - at), folded.data(), folded.size());
        if (hit == nullptr) {
            break;
        }
        const auto offset = static_cast<std::uint32_t>(static_cast<const char*>(hit) - begin);
        const auto next = std::upper_bound(m_starts.begin(), m_starts.end(), offset);
        m_lastMatches.push_back(static_cast<std::uint32_t>(next - m_starts.begin() - 1));
        // The next match is looked for from the following name on.
        at = next == m_starts.end() ? end : begin + *next;
    }
}

void NameSearch::FindAmongLast(const std::string& folded) {
    std::erase_if(m_lastMatches, [&](std::uint32_t number) {
        return Name(number).find(folded) == std::string_view::npos;
    });
}

}  // namespace tinplate
