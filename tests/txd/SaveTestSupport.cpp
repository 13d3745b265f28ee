// SPDX-License-Identifier: GPL-3.0-or-later
#include "SaveTestSupport.h"

#include <algorithm>

#include "FileIo.h"
#include "GfxBinding.h"
#include "LibraryArgs.h"
#include "WorkingBitmap.h"

std::vector<std::pair<std::uint64_t, std::uint64_t>> RebuiltRanges(
    const std::vector<TextureEntry>& textures) {
    std::vector<std::pair<std::uint64_t, std::uint64_t>> ranges;
    for (const auto& texture : textures) {
        const TextureRecord& r = texture.record;
        if (r.depth == 8 && static_cast<std::uint16_t>(r.mipCount) != 1) {
            ranges.emplace_back(std::uint64_t{r.pixelOffset} + r.pixelSize, r.levelDataEnd);
        }
    }
    return ranges;
}

std::vector<std::uint64_t> ChangedOffsets(
    std::span<const std::uint8_t> before, std::span<const std::uint8_t> after,
    const std::vector<std::pair<std::uint64_t, std::uint64_t>>& skipped) {
    std::vector<std::uint64_t> changed;
    const std::size_t common = std::min(before.size(), after.size());
    for (std::size_t i = 0; i < common; ++i) {
        const bool inSkipped = std::any_of(skipped.begin(), skipped.end(), [i](const auto& range) {
            return i >= range.first && i < range.second;
        });
        if (before[i] != after[i] && !inSkipped) {
            changed.push_back(i);
        }
    }
    if (before.size() != after.size()) {
        changed.push_back(common);
    }
    return changed;
}

std::vector<std::uint8_t> ExpectedLevels(const TextureRecord& record,
                                         const std::vector<std::pair<int, int>>& sizes) {
    // Bound by name after a save: the spy has loaded the real library already.
    GfxBinding real;
    WriteWorkingBitmap("expected_in.bmp", record, 8);
    NameBuffer input("expected_in.bmp");
    NameBuffer output("expected_out.bmp");
    WorkBlock block;
    std::vector<std::uint8_t> levels;
    for (const auto& [width, height] : sizes) {
        real._bmpresize(input.word(), output.word(), block.word(), width, height);
        const auto resized = ReadWholeFile("expected_out.bmp");
        const std::size_t end = std::min<std::size_t>(resized.size(), 1078 + width * height);
        levels.insert(levels.end(), resized.begin() + std::min<std::size_t>(1078, end),
                      resized.begin() + end);
    }
    RemoveFileQuietly("expected_in.bmp");
    RemoveFileQuietly("expected_out.bmp");
    return levels;
}
