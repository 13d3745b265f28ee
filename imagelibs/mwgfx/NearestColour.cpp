// SPDX-License-Identifier: GPL-3.0-or-later
// The nearest-colour search through cells of candidate entries.
#include "imagelibs/mwgfx/NearestColour.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace tinplate {

namespace {

constexpr int kCellShift = 4;  // 16 cells per channel
constexpr int kCellSide = 1 << kCellShift;
constexpr std::size_t kAnswerSlots = 4096;

std::uint32_t CellOf(const std::array<std::uint8_t, 4>& bgra) {
    std::uint32_t cell = 0;
    for (int channel = 0; channel < 4; ++channel) {
        cell |= std::uint32_t{bgra[channel]} >> kCellShift << (4 * channel);
    }
    return cell;
}

}  // namespace

NearestColour::NearestColour(std::span<const std::uint8_t> table)
    : m_table(table), m_answers(kAnswerSlots), m_cells(std::size_t{1} << (4 * 4)) {}

std::uint8_t NearestColour::Find(const std::array<std::uint8_t, 4>& bgra) {
    std::uint32_t colour = 0;
    std::memcpy(&colour, bgra.data(), 4);
    if (colour == m_latest.colour && m_latest.index <= 255) {
        return static_cast<std::uint8_t>(m_latest.index);
    }
    Answer& answer = m_answers[(colour * 2654435761u) >> 20];
    if (answer.colour != colour || answer.index > 255) {
        answer = {colour, Search(bgra)};
    }
    m_latest = answer;
    return static_cast<std::uint8_t>(answer.index);
}

std::uint8_t NearestColour::Search(const std::array<std::uint8_t, 4>& bgra) {
    const std::uint32_t cell = CellOf(bgra);
    if (m_cells[cell].count == 0) {
        ListCandidates(cell, bgra);
    }
    const Cell& listed = m_cells[cell];
    std::uint8_t best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::uint32_t i = listed.first; i < listed.first + listed.count; ++i) {
        const Candidate& candidate = m_candidates[i];
        if (candidate.distanceToCell > bestDistance) {
            break;
        }
        const std::uint8_t* entry = m_table.data() + std::size_t{candidate.index} * 4;
        int distance = 0;
        for (int channel = 0; channel < 4; ++channel) {
            const int difference = int{bgra[channel]} - int{entry[channel]};
            distance += difference * difference;
        }
        if (distance < bestDistance || (distance == bestDistance && candidate.index < best)) {
            bestDistance = distance;
            best = candidate.index;
        }
    }
    return best;
}

// An entry stays out only when even its nearest point of the cell is further from it than
// the furthest point of the cell is from some other entry: then that entry is nearer to every
// colour of the cell.
void NearestColour::ListCandidates(std::uint32_t cell, const std::array<std::uint8_t, 4>& bgra) {
    const std::size_t entries = m_table.size() / 4;
    std::vector<int> nearest(entries);
    int bound = std::numeric_limits<int>::max();
    for (std::size_t e = 0; e < entries; ++e) {
        int near = 0;
        int far = 0;
        for (int channel = 0; channel < 4; ++channel) {
            const int low = bgra[channel] & ~(kCellSide - 1);
            const int high = low + kCellSide - 1;
            const int value = m_table[e * 4 + channel];
            const int outside = value < low ? low - value : value > high ? value - high : 0;
            const int furthest = std::max(value - low, high - value);
            near += outside * outside;
            far += furthest * furthest;
        }
        nearest[e] = near;
        bound = std::min(bound, far);
    }
    const auto first = m_candidates.size();
    m_cells[cell].first = static_cast<std::uint32_t>(first);
    for (std::size_t e = 0; e < entries; ++e) {
        if (nearest[e] <= bound) {
            m_candidates.push_back({nearest[e], static_cast<std::uint8_t>(e)});
        }
    }
    std::sort(
        m_candidates.begin() + static_cast<std::ptrdiff_t>(first), m_candidates.end(),
        [](const Candidate& a, const Candidate& b) { return a.distanceToCell < b.distanceToCell; });
    m_cells[cell].count = static_cast<std::uint32_t>(m_candidates.size()) - m_cells[cell].first;
}

}  // namespace tinplate
