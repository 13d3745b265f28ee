// SPDX-License-Identifier: GPL-3.0-or-later
// Matching textures by name, then comparing headers and levels of each pair.
#include "checks/DictionaryDiff.h"

#include <algorithm>
#include <deque>
#include <map>
#include <utility>

#include "txd/GameLevels.h"

namespace tinplate {

namespace {

struct Field {
    std::string_view key;
    std::int64_t (*value)(const TextureRecord&);
};

constexpr Field kFields[] = {
    {"width", [](const TextureRecord& r) -> std::int64_t { return r.width; }},
    {"height", [](const TextureRecord& r) -> std::int64_t { return r.height; }},
    {"bpp", [](const TextureRecord& r) -> std::int64_t { return r.depth; }},
    {"compression", [](const TextureRecord& r) -> std::int64_t { return r.compression; }},
    {"mip_levels", [](const TextureRecord& r) -> std::int64_t { return r.mipCount; }},
    {"has_alpha", [](const TextureRecord& r) -> std::int64_t { return r.hasAlpha; }},
    {"alpha_flags", [](const TextureRecord& r) -> std::int64_t { return r.alphaFlags; }},
    {"filter_flags", [](const TextureRecord& r) -> std::int64_t { return r.filterFlags; }},
    {"platform", [](const TextureRecord& r) -> std::int64_t { return r.platform; }},
};

bool SameBuffer(const ByteBuffer& a, const ByteBuffer& b) {
    return a == b;
}

TextureChanges Compare(const std::vector<TextureEntry>& a, std::size_t indexA,
                       const std::vector<TextureEntry>& b, std::size_t indexB) {
    const TextureRecord& ra = a[indexA].record;
    const TextureRecord& rb = b[indexB].record;
    TextureChanges changes{{indexA, a[indexA].name}, {indexB, b[indexB].name}, {}, false, {}};
    for (const Field& field : kFields) {
        if (field.value(ra) != field.value(rb)) {
            changes.fields.push_back({field.key, field.value(ra), field.value(rb)});
        }
    }
    changes.paletteDiffers = GamePaletteOf(ra) != GamePaletteOf(rb);
    const std::vector<StoredLevel> levelsA = StoredLevels(ra);
    const std::vector<StoredLevel> levelsB = StoredLevels(rb);
    if (levelsA.size() != levelsB.size()) {
        changes.fields.push_back({"levels_stored", static_cast<std::int64_t>(levelsA.size()),
                                  static_cast<std::int64_t>(levelsB.size())});
    }
    for (std::size_t i = 0; i < std::min(levelsA.size(), levelsB.size()); ++i) {
        changes.levels.push_back(CompareLevels(i, ra, levelsA[i], rb, levelsB[i]));
    }
    return changes;
}

// Positions (in `sequence`) of a longest strictly increasing subsequence.
std::vector<bool> InLongestIncreasingRun(const std::vector<std::size_t>& sequence) {
    std::vector<std::size_t> tails;  // positions: the smallest tail of each run length
    std::vector<std::size_t> before(sequence.size(), sequence.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const auto at = std::lower_bound(
            tails.begin(), tails.end(), sequence[i],
            [&](std::size_t position, std::size_t value) { return sequence[position] < value; });
        if (at != tails.begin()) {
            before[i] = *(at - 1);
        }
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<bool> kept(sequence.size(), false);
    for (std::size_t i = tails.empty() ? sequence.size() : tails.back(); i < sequence.size();
         i = before[i]) {
        kept[i] = true;
    }
    return kept;
}

bool LooksRenamed(const TextureRecord& a, const TextureRecord& b) {
    return a.width == b.width && a.height == b.height && a.depth == b.depth &&
           a.compression == b.compression && a.alphaFlags == b.alphaFlags &&
           SameBuffer(std::as_const(a).palette, std::as_const(b).palette) &&
           SameBuffer(std::as_const(a).pixels, std::as_const(b).pixels);
}

}  // namespace

bool TextureChanges::Same() const {
    return fields.empty() && !paletteDiffers &&
           std::all_of(levels.begin(), levels.end(), [](const LevelComparison& level) {
               return level.outcome == LevelComparison::Outcome::Identical;
           });
}

bool DictionaryDiff::Same() const {
    return added.empty() && removed.empty() && moved.empty() && renamed.empty() &&
           std::all_of(common.begin(), common.end(),
                       [](const TextureChanges& texture) { return texture.Same(); });
}

DictionaryDiff DiffDictionaries(const std::vector<TextureEntry>& a,
                                const std::vector<TextureEntry>& b) {
    std::map<std::string, std::deque<std::size_t>> inB;
    for (std::size_t i = 0; i < b.size(); ++i) {
        inB[b[i].name].push_back(i);
    }
    DictionaryDiff diff;
    std::vector<bool> matchedB(b.size(), false);
    std::vector<std::size_t> orderInB;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto& candidates = inB[a[i].name];
        if (candidates.empty()) {
            diff.removed.push_back({i, a[i].name});
            continue;
        }
        const std::size_t j = candidates.front();
        candidates.pop_front();
        matchedB[j] = true;
        orderInB.push_back(j);
        diff.common.push_back(Compare(a, i, b, j));
    }
    for (std::size_t j = 0; j < b.size(); ++j) {
        if (!matchedB[j]) {
            diff.added.push_back({j, b[j].name});
        }
    }
    const std::vector<bool> kept = InLongestIncreasingRun(orderInB);
    for (std::size_t k = 0; k < diff.common.size(); ++k) {
        if (!kept[k]) {
            const TextureChanges& texture = diff.common[k];
            diff.moved.push_back({texture.a.name, texture.a.index, texture.b.index});
        }
    }
    for (auto removed = diff.removed.begin(); removed != diff.removed.end();) {
        const auto added = std::find_if(diff.added.begin(), diff.added.end(), [&](const auto& t) {
            return LooksRenamed(a[removed->index].record, b[t.index].record);
        });
        if (added == diff.added.end()) {
            ++removed;
            continue;
        }
        diff.renamed.push_back({*removed, *added});
        diff.added.erase(added);
        removed = diff.removed.erase(removed);
    }
    return diff;
}

}  // namespace tinplate
