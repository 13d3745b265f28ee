// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QUndoCommand>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "txd/TextureRecord.h"

namespace tinplate {

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

// A restructuring edit (textures added, removed, renamed, moved or laid out anew): the whole
// list before and after it, with the row to select with each. The records share their bytes
// with the list until either is changed, so a snapshot costs little.
class TextureListCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const std::vector<TextureEntry>& textures, int row)>;

    TextureListCommand(const QString& text, std::vector<TextureEntry> before, int rowBefore,
                       std::vector<TextureEntry> after, int rowAfter, Apply apply)
        : QUndoCommand(text),
          m_before(std::move(before)),
          m_after(std::move(after)),
          m_rowBefore(rowBefore),
          m_rowAfter(rowAfter),
          m_apply(std::move(apply)) {}

    void undo() override { m_apply(m_before, m_rowBefore); }
    void redo() override { m_apply(m_after, m_rowAfter); }

private:
    std::vector<TextureEntry> m_before;
    std::vector<TextureEntry> m_after;
    int m_rowBefore;
    int m_rowAfter;
    Apply m_apply;
};

}  // namespace tinplate
