// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UndoCommands.h"

#include <algorithm>

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

bool Unchanged(const TextureRecord& record, const RecordBytes& bytes) {
    return record.hasAlpha == bytes.hasAlpha && SameBytes(record.pixels, bytes.pixels) &&
           SameBytes(record.palette, bytes.palette) &&
           SameBytes(record.smallerLevels, bytes.smallerLevels);
}

}  // namespace

RecordBytes CopyRecordBytes(const TextureRecord& record) {
    return {CopyBuffer(record.pixels), CopyBuffer(record.palette), CopyBuffer(record.smallerLevels),
            record.hasAlpha};
}

RecordEditCommand::RecordEditCommand(EditTarget& target, const QString& text,
                                     std::vector<std::pair<std::size_t, RecordBytes>> before)
    : QUndoCommand(text), m_target(target), m_saved(std::move(before)) {
    std::erase_if(m_saved, [&target](const auto& saved) {
        return saved.first >= target.RecordCount() ||
               Unchanged(target.RecordAt(saved.first), saved.second);
    });
}

void RecordEditCommand::redo() {
    // The stack redoes a command as it is pushed; the edit itself has already been made.
    if (!std::exchange(m_pushed, true)) {
        return;
    }
    Swap();
}

void RecordEditCommand::Swap() {
    for (auto& [index, saved] : m_saved) {
        TextureRecord& record = m_target.RecordAt(index);
        RecordBytes current = CopyRecordBytes(record);
        record.pixels.assign(saved.pixels.begin(), saved.pixels.end());
        record.palette.assign(saved.palette.begin(), saved.palette.end());
        record.smallerLevels.assign(saved.smallerLevels.begin(), saved.smallerLevels.end());
        record.hasAlpha = saved.hasAlpha;
        saved = std::move(current);
    }
}

}  // namespace tinplate
