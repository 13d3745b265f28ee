// SPDX-License-Identifier: GPL-3.0-or-later
// The open dictionary behind the window: its textures, its file and folder, its edits and undo.
#pragma once

#include <QObject>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "gfxlib/GfxBinding.h"
#include "txd/GameTargets.h"
#include "txd/PlatformLayout.h"
#include "txd/TextureRecord.h"

class QUndoStack;

namespace tinplate {

class OpenedDictionary;

// The version of dictionaries made anew: 3.6.0.3, build unknown.
inline constexpr std::uint32_t kDefaultVersionWord = 0x1803FFFF;

// Every change goes through Open, New, SaveAs or an edit method, so that the signals tell the
// views about it and the undo stack can take it back.
class TextureDocument : public QObject {
    Q_OBJECT

public:
    using TextureList = std::vector<TextureEntry>;
    // Changes a copy of the list with `row` selected; returns the row to select afterwards, or
    // nothing when it changed nothing.
    using ListEdit = std::function<std::optional<int>(TextureList& textures, int row)>;

    explicit TextureDocument(QObject* parent = nullptr);
    ~TextureDocument() override;

    // Reads the dictionary at `path` (a file, or "ARCHIVE.img:ENTRY" for an archive's entry);
    // it becomes the document and its folder (the archive's) the export folder. A dictionary
    // that fails is a FileError and leaves the document as it was.
    void Open(const QString& path);
    // An empty dictionary with no file yet, for textures of `platform` and chunks of
    // `versionWord`; the export folder stays.
    void New(std::uint32_t platform = platform::kUsual,
             std::uint32_t versionWord = kDefaultVersionWord);
    // Saves over the file or archive entry that was opened, under its lock: in place while the
    // blocks still lie where they were read, else whole. ChangedOnDiskError when another
    // program changed it.
    void Save(GfxBinding& gfx);
    // Writes the whole dictionary to `path`, which becomes its file, and its folder the export
    // folder.
    void SaveAs(const QString& path);

    const TextureList& Textures() const { return m_textures; }
    // The file as it was opened, which the records not laid out anew still point into; empty
    // for a new dictionary.
    std::span<const std::uint8_t> OriginalBytes() const;
    // The record at `row`, to be changed only by an edit run through EditRecords.
    TextureRecord& RecordAt(std::size_t row) { return m_textures.at(row).record; }
    // Full path of the dictionary's file ("ARCHIVE:ENTRY" for an archive's entry), which Open
    // takes back; empty before the first Open and for a new one.
    QString Path() const { return m_path; }
    // The name the user knows it by: the file's name ("ARCHIVE.img: ENTRY" for an archive's
    // entry), "Untitled.txd", or empty when none is open.
    QString FileName() const;
    // Whether a dictionary is open or new, so that textures can be added to it.
    bool IsOpen() const { return !m_path.isEmpty() || m_untitled; }
    bool IsUntitled() const { return m_untitled; }
    // Unsaved changes: the undo stack is away from where the dictionary was opened or saved.
    bool IsModified() const;
    QUndoStack& UndoStack() const { return *m_undoStack; }
    // The library version every chunk is saved with, and the platform that textures added to
    // an empty dictionary take: the file's own until New or Dictionary > Target sets them.
    std::uint32_t VersionWord() const { return m_target.versionWord; }
    std::uint32_t PlatformWhenEmpty() const { return m_target.platformWhenEmpty; }
    // The game target the user last chose for this dictionary (New, Dictionary > Target), or
    // nullptr.
    const GameTarget* ChosenTarget() const { return m_target.game; }

    // Where Image > Export writes: the folder of the dictionary or picture last chosen. Empty
    // stands for the program's current folder.
    QString Folder() const { return m_folder; }
    void SetFolder(const QString& folder) { m_folder = folder; }

    // Runs `edit`, which changes the records at `rows` in place, and puts it on the undo stack
    // when it changed any of them.
    void EditRecords(const QString& text, const std::vector<std::size_t>& rows,
                     const std::function<void()>& edit);
    // Runs `edit` on a copy of the list; when it returns a row, the copy replaces the list as
    // one undoable step. A refused edit is a FileError naming the dictionary, except one the
    // platform cannot hold (PlatformCannotHold), which the caller may make anyway.
    void EditList(const QString& text, int row, const ListEdit& edit);
    // The same for Dictionary > Target: the list `edit` leaves and the version and platform
    // of `target` make one undoable step, which may change the version alone.
    struct Target {
        std::uint32_t versionWord = kDefaultVersionWord;
        std::uint32_t platformWhenEmpty = platform::kUsual;
        const GameTarget* game = nullptr;
    };
    void EditTarget(const QString& text, int row, const ListEdit& edit, const Target& target);

signals:
    // Open or New: another dictionary took the place of the one shown.
    void opened();
    // The file the document is saved to changed: Open, New, Save As.
    void fileChanged();
    // The whole list was replaced (Open, New, a list edit, its undo or redo); `row` is the one to
    // select, or -1.
    void texturesReplaced(int row);
    // The bytes of the texture at `row` changed in place (an edit, its undo or redo).
    void textureChanged(int row);
    void modifiedChanged(bool modified);

private:
    class RecordEditCommand;
    class ListEditCommand;

    void ReplaceTextures(const TextureList& textures, int row);
    // Before a save: the bytes untouched blocks are copied from get the version now set on
    // every chunk (a new dictionary: an empty one of that version), written whole then.
    void RestampIfNeeded();

    TextureList m_textures;
    QUndoStack* m_undoStack;
    QString m_path;
    QString m_folder;
    // Where the dictionary lives and what it was there when opened or last saved: Save writes
    // over nothing else. Its bytes as opened are what the records refer to.
    std::unique_ptr<OpenedDictionary> m_dictionary;
    // A dictionary made by New that has no file yet.
    bool m_untitled = false;
    Target m_target;
};

}  // namespace tinplate
