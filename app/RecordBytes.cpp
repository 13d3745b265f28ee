// SPDX-License-Identifier: GPL-3.0-or-later
// Copying, comparing and swapping the edited bytes of a texture record.
#include "app/RecordBytes.h"

#include <algorithm>
#include <utility>

namespace tinplate {
namespace {

template <typename Buffer>
std::vector<std::uint8_t> CopyBuffer(const Buffer& buffer) {
    return std::vector<std::uint8_t>(buffer.begin(), buffer.end());
}

template <typename Buffer>
bool SameBytes(const Buffer& buffer, const std::vector<std::uint8_t>& bytes) {
    return std::equal(buffer.begin(), buffer.end(), bytes.begin(), bytes.end());
}

}  // namespace

RecordBytes CopyRecordBytes(const TextureRecord& record) {
    return {CopyBuffer(record.pixels), CopyBuffer(record.palette), CopyBuffer(record.smallerLevels),
            record.hasAlpha};
}

bool HoldsBytes(const TextureRecord& record, const RecordBytes& bytes) {
    return record.hasAlpha == bytes.hasAlpha && SameBytes(record.pixels, bytes.pixels) &&
           SameBytes(record.palette, bytes.palette) &&
           SameBytes(record.smallerLevels, bytes.smallerLevels);
}

void SwapRecordBytes(TextureRecord& record, RecordBytes& saved) {
    RecordBytes current = CopyRecordBytes(record);
    record.pixels.assign(saved.pixels.begin(), saved.pixels.end());
    record.palette.assign(saved.palette.begin(), saved.palette.end());
    record.smallerLevels.assign(saved.smallerLevels.begin(), saved.smallerLevels.end());
    record.hasAlpha = saved.hasAlpha;
    saved = std::move(current);
}

}  // namespace tinplate
