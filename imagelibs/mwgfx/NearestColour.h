// SPDX-License-Identifier: GPL-3.0-or-later
// The nearest colour-table entry to a colour.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tinplate {

// The colour-table entry nearest to a colour (squared distance over B, G, R and A alike; the
// lowest index wins a tie), for one table. Colour space is cut into cells of 16 levels per
// channel; the first colour that falls into a cell lists the entries that can be nearest to
// any colour in it, nearest to the cell first, so later colours there compare against those
// few only and stop at the first entry that cannot come closer than the best so far. Filtered
// pictures repeat colours, so the latest answers are kept too.
class NearestColour {
public:
    explicit NearestColour(std::span<const std::uint8_t> table);

    std::uint8_t Find(const std::array<std::uint8_t, 4>& bgra);

private:
    struct Cell {
        std::uint32_t first = 0;
        std::uint32_t count = 0;  // 0: not listed yet (every cell has a nearest entry)
    };
    struct Candidate {
        int distanceToCell;  // squared, from the entry to the nearest point of the cell
        std::uint8_t index;
    };
    void ListCandidates(std::uint32_t cell, const std::array<std::uint8_t, 4>& bgra);

    struct Answer {
        std::uint32_t colour = 0;
        std::uint32_t index = 256;  // none yet
    };
    std::uint8_t Search(const std::array<std::uint8_t, 4>& bgra);

    std::span<const std::uint8_t> m_table;
    Answer m_latest;  // neighbours share colours most often
    std::vector<Answer> m_answers;
    std::vector<Cell> m_cells;
    std::vector<Candidate> m_candidates;
};

}  // namespace tinplate
