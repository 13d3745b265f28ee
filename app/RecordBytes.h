// SPDX-License-Identifier: GPL-3.0-or-later
// The bytes of a texture record that in-place edits change, kept so that an edit can be undone.
#pragma once

#include <cstdint>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

// The parts of a record that editing changes.
struct RecordBytes {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> smallerLevels;
    std::uint32_t hasAlpha = 0;
};

RecordBytes CopyRecordBytes(const TextureRecord& record);

// True when the record holds exactly `bytes`.
bool HoldsBytes(const TextureRecord& record, const RecordBytes& bytes);

// Puts `saved` into the record and the record's bytes into `saved`, so that a second swap
// restores both.
void SwapRecordBytes(TextureRecord& record, RecordBytes& saved);

}  // namespace tinplate
