// SPDX-License-Identifier: GPL-3.0-or-later
// Open, save and edit the dictionary behind the window, each edit an undoable command.
#include "app/TextureDocument.h"

#include <QFileInfo>
#include <QUndoCommand>
#include <QUndoStack>
#include <algorithm>
#include <utility>

#include "app/RecordBytes.h"
#include "document/OpenedDictionary.h"
#include "edits/EditRefused.h"
#include "fileio/FileError.h"
#include "txd/LibraryVersion.h"

namespace tinplate {
namespace {

// Older edits are dropped beyond this many: each keeps a copy of the bytes it changed.
constexpr int kUndoLimit = 32;

}  // namespace

// An edit of the pixels, palette or alpha word of some textures, made before the command is
// pushed. It keeps one copy of each changed texture's bytes, the ones the record does not hold
// now, and swaps it with the record's on every undo and redo. Positions stay valid because the
// stack undoes and redoes in order.
class TextureDocument::RecordEditCommand : public QUndoCommand {
public:
    // `before` are the copies taken before the edit, by position; only those whose record
    // differs from its copy now are kept.
    RecordEditCommand(TextureDocument& document, const QString& text,
                      std::vector<std::pair<std::size_t, RecordBytes>> before)
        : QUndoCommand(text), m_document(document), m_saved(std::move(before)) {
        std::erase_if(m_saved, [&document](const auto& saved) {
            return saved.first >= document.m_textures.size() ||
                   HoldsBytes(document.m_textures[saved.first].record, saved.second);
        });
    }

    bool Empty() const { return m_saved.empty(); }
    void undo() override { Swap(); }
    void redo() override {
        // The stack redoes a command as it is pushed; the edit itself has already been made.
        if (std::exchange(m_pushed, true)) {
            Swap();
        } else {
            Announce();
        }
    }

private:
    void Swap() {
        for (auto& [row, saved] : m_saved) {
            SwapRecordBytes(m_document.m_textures.at(row).record, saved);
        }
        Announce();
    }
    void Announce() {
        for (const auto& saved : m_saved) {
            emit m_document.textureChanged(static_cast<int>(saved.first));
        }
    }

    TextureDocument& m_document;
    std::vector<std::pair<std::size_t, RecordBytes>> m_saved;
    bool m_pushed = false;
};

// A restructuring edit (textures added, removed, renamed, moved or laid out anew): the whole
// list before and after it, with the row to select with each. The records share their bytes
// with the list until either is changed, so a snapshot costs little.
class TextureDocument::ListEditCommand : public QUndoCommand {
public:
    ListEditCommand(TextureDocument& document, const QString& text, int rowBefore,
                    TextureList after, int rowAfter, Target targetAfter)
        : QUndoCommand(text),
          m_document(document),
          m_before(document.m_textures),
          m_after(std::move(after)),
          m_rowBefore(rowBefore),
          m_rowAfter(rowAfter),
          m_targetBefore(document.m_target),
          m_targetAfter(targetAfter) {}

    void undo() override {
        m_document.m_target = m_targetBefore;
        m_document.ReplaceTextures(m_before, m_rowBefore);
    }
    void redo() override {
        m_document.m_target = m_targetAfter;
        m_document.ReplaceTextures(m_after, m_rowAfter);
    }

private:
    TextureDocument& m_document;
    TextureList m_before;
    TextureList m_after;
    int m_rowBefore;
    int m_rowAfter;
    Target m_targetBefore;
    Target m_targetAfter;
};

TextureDocument::TextureDocument(QObject* parent)
    : QObject(parent), m_undoStack(new QUndoStack(this)) {
    m_undoStack->setUndoLimit(kUndoLimit);
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { emit modifiedChanged(!clean); });
}

TextureDocument::~TextureDocument() = default;

void TextureDocument::Open(const QString& path) {
    const QFileInfo file(path);
    const DictionaryPlace place = PlaceOf(file.absoluteFilePath().toStdString());
    // Read and check everything first: a dictionary that fails leaves the open one as it was.
    // The window keeps a dictionary open for as long as the user likes: its bytes are held so
    // that another program changing the file cannot fault them, nor Save write what it changed.
    auto dictionary =
        std::make_unique<OpenedDictionary>(place, OpenedDictionary::Use::Read, Residence::Held);
    m_path = QString::fromStdString(place.Shown());
    m_folder = QFileInfo(QString::fromStdString(place.path)).absolutePath();
    m_undoStack->clear();
    m_textures = std::move(dictionary->textures());
    m_dictionary = std::move(dictionary);
    m_untitled = false;
    m_target = {DictionaryVersionWord(OriginalBytes()), PlatformOfEmptyDictionary(OriginalBytes()),
                nullptr};
    emit opened();
    emit fileChanged();
    emit texturesReplaced(0);
}

void TextureDocument::New(std::uint32_t platform, std::uint32_t versionWord) {
    m_target = {versionWord, platform, nullptr};
    m_path.clear();
    m_untitled = true;
    m_dictionary.reset();
    m_undoStack->clear();
    m_textures.clear();
    emit opened();
    emit fileChanged();
    emit texturesReplaced(-1);
}

void TextureDocument::Save(GfxBinding& gfx) {
    RestampIfNeeded();
    m_dictionary->Save(m_textures, gfx);
    m_undoStack->setClean();
}

void TextureDocument::SaveAs(const QString& path) {
    const QFileInfo file(path);
    if (!m_dictionary) {
        m_dictionary = std::make_unique<OpenedDictionary>();
    }
    RestampIfNeeded();
    m_dictionary->SaveAs(file.absoluteFilePath().toStdString(), m_textures);
    m_untitled = false;
    m_path = file.absoluteFilePath();
    m_folder = file.absolutePath();
    m_undoStack->setClean();
    emit fileChanged();
}

QString TextureDocument::FileName() const {
    if (m_dictionary && m_dictionary->place().InArchive()) {
        const DictionaryPlace& place = m_dictionary->place();
        return QFileInfo(QString::fromStdString(place.path)).fileName() + ": " +
               QString::fromStdString(place.entry);
    }
    return m_untitled ? tr("Untitled.txd") : QFileInfo(m_path).fileName();
}

bool TextureDocument::IsModified() const {
    return !m_undoStack->isClean();
}

void TextureDocument::EditRecords(const QString& text, const std::vector<std::size_t>& rows,
                                  const std::function<void()>& edit) {
    std::vector<std::pair<std::size_t, RecordBytes>> before;
    for (std::size_t row : rows) {
        before.emplace_back(row, CopyRecordBytes(m_textures.at(row).record));
    }
    edit();
    auto command = std::make_unique<RecordEditCommand>(*this, text, std::move(before));
    if (!command->Empty()) {
        m_undoStack->push(command.release());
    }
}

void TextureDocument::EditList(const QString& text, int row, const ListEdit& edit) {
    EditTarget(text, row, edit, m_target);
}

void TextureDocument::EditTarget(const QString& text, int row, const ListEdit& edit,
                                 const Target& target) {
    if (!IsOpen()) {
        return;
    }
    TextureList edited = m_textures;
    std::optional<int> selected;
    try {
        selected = edit(edited, row);
    } catch (const PlatformCannotHold&) {
        throw;  // the caller may ask whether to make it anyway
    } catch (const EditRefused& refusal) {
        throw FileError(FileName().toStdString(), refusal.what());
    }
    if (selected || target.versionWord != m_target.versionWord ||
        target.platformWhenEmpty != m_target.platformWhenEmpty) {
        m_undoStack->push(new ListEditCommand(*this, text, row, std::move(edited),
                                              selected.value_or(row), target));
    }
}

void TextureDocument::RestampIfNeeded() {
    const std::span<const std::uint8_t> original = m_dictionary->bytes();
    if (original.empty()) {
        m_dictionary->ReplaceBytes(
            EmptyDictionaryFor(m_target.platformWhenEmpty, m_target.versionWord));
    } else if (DictionaryVersionWord(original) != m_target.versionWord) {
        m_dictionary->ReplaceBytes(WithChunkVersions(original, m_target.versionWord));
    }
}

std::span<const std::uint8_t> TextureDocument::OriginalBytes() const {
    return m_dictionary ? m_dictionary->bytes() : std::span<const std::uint8_t>();
}

void TextureDocument::ReplaceTextures(const TextureList& textures, int row) {
    m_textures = textures;
    emit texturesReplaced(row);
}

}  // namespace tinplate
