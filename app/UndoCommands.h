// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "TextureRecord.h"

// What the undoable commands work on: the open dictionary's textures by their position in
// the list. Commands that add, remove or rename textures extend it; positions stay valid
// because the stack undoes and redoes in order.
class EditTarget {
public:
    virtual TextureRecord& RecordAt(std::size_t index) = 0;
    virtual std::size_t RecordCount() const = 0;

protected:
    ~EditTarget() = default;
};

// The parts of a record that editing changes.
struct RecordBytes {
    std::vector<std::uint8_t> pixels;
    std::vector<std::uint8_t> palette;
    std::vector<std::uint8_t> smallerLevels;
    std::uint32_t hasAlpha = 0;
};

RecordBytes CopyRecordBytes(const TextureRecord& record);

// An edit of the pixels, palette or alpha word of some textures, made before the command is
// pushed. It keeps one copy of each changed texture's bytes, the ones the record does not
// hold now, and swaps it with the record's on every undo and redo.
class RecordEditCommand : public QUndoCommand {
public:
    // `before` are the copies taken before the edit, by position; only those whose record
    // differs from its copy now are kept. Empty() tells whether anything changed at all.
    RecordEditCommand(EditTarget& target, const QString& text,
                      std::vector<std::pair<std::size_t, RecordBytes>> before);

    bool Empty() const { return m_saved.empty(); }
    void undo() override { Swap(); }
    void redo() override;

private:
    void Swap();

    EditTarget& m_target;
    std::vector<std::pair<std::size_t, RecordBytes>> m_saved;
    bool m_pushed = false;
};
