// SPDX-License-Identifier: GPL-3.0-or-later
// The Texture menu's handlers, each one undoable list edit of the document.
#include "app/TextureCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QWidget>

#include "app/CommandTable.h"
#include "app/FileFilters.h"
#include "app/Prompts.h"
#include "app/TexturePanel.h"
#include "edits/DictionaryEdits.h"
#include "edits/EditRefused.h"
#include "exchange/ImportFrom.h"
#include "exchange/PictureFile.h"
#include "fileio/FileError.h"

namespace tinplate {
namespace {

using Textures = TextureDocument::TextureList;

constexpr TextureKind kKinds[] = {TextureKind::kPalette256, TextureKind::kPalette32,
                                  TextureKind::kRgba32,     TextureKind::kDxt1,
                                  TextureKind::kDxt3,       TextureKind::kDxt5};
// Powers of two up to the largest square a texture may be made of.
constexpr int kLargestSide = 16384;

QStringList KindTexts() {
    QStringList texts;
    for (TextureKind kind : kKinds) {
        texts << QCoreApplication::translate("Kind", std::string(KindDescription(kind)).c_str());
    }
    return texts;
}

int KindIndex(const TextureRecord& record) {
    const auto kind = MakeableKindOf(record);
    return kind ? static_cast<int>(*kind) : 0;
}

// A list edit of the texture at `row` that `change` may decline.
template <typename Change>
TextureDocument::ListEdit OfRow(Change change) {
    return [change](Textures& textures, int row) -> std::optional<int> {
        if (row < 0 || !change(textures, static_cast<std::size_t>(row))) {
            return std::nullopt;
        }
        return row;
    };
}

// Moves the texture at `row` one place; the moved texture stays selected.
TextureDocument::ListEdit Move(MoveDirection direction, int step) {
    return [direction, step](Textures& textures, int row) -> std::optional<int> {
        if (row < 0) {
            return std::nullopt;
        }
        MoveTexture(textures, static_cast<std::size_t>(row), direction);
        return row + step;
    };
}

}  // namespace

TextureCommands::TextureCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    CommandTable& table = m_context.commands;
    table.Register(command::kTextureAdd, [this] { OnTextureAdd(); });
    table.Register(command::kTextureRemove, [this] { OnTextureRemove(); });
    table.Register(command::kTextureRename, [this] { OnTextureRename(); });
    table.Register(command::kTextureReplace, [this] { OnTextureReplace(); });
    table.Register(command::kTextureChangeKind, [this] { OnTextureChangeKind(); });
    table.Register(command::kTextureResize, [this] { OnTextureResize(); });
    table.Register(command::kTextureMakeLevels, [this] { OnTextureMakeLevels(); });
    table.Register(command::kTextureRemoveLevels, [this] { OnTextureRemoveLevels(); });
    table.Register(command::kTextureMoveUp, [this] { OnTextureMoveUp(); });
    table.Register(command::kTextureMoveDown, [this] { OnTextureMoveDown(); });
}

void TextureCommands::ListEdit(const QString& text, const TextureDocument::ListEdit& edit) {
    m_context.document.EditList(text, m_context.panel.CurrentRow(), edit);
}

void TextureCommands::MakingListEdit(const QString& text, const MakingEdit& edit) {
    PictureImportOptions options;
    const auto withOptions = [&](Textures& textures, int row) {
        return edit(textures, row, options);
    };
    try {
        ListEdit(text, withOptions);
    } catch (const PlatformCannotHold& refusal) {
        if (!m_context.prompts.AskMakeAnyway(&m_context.window,
                                             QString::fromStdString(refusal.what()))) {
            return;
        }
        options.beyondPlatform = true;
        ListEdit(text, withOptions);
    }
}

void TextureCommands::OnTextureAdd() {
    if (!m_context.document.IsOpen()) {
        return;
    }
    const QString path =
        m_context.prompts.OpenFileName(&m_context.window, kPictureFilter, QString(), QString());
    if (path.isEmpty()) {
        return;
    }
    const int kind = m_context.prompts.ChooseItem(&m_context.window, tr("Kind of the new texture:"),
                                                  KindTexts(), 0);
    if (kind < 0) {
        return;
    }
    const std::string name = QFileInfo(path).completeBaseName().toStdString();
    MakingListEdit(tr("Add From Image"),
                   [&](Textures& textures, int, const PictureImportOptions& options) {
                       AddTexture(textures, name, ReadPictureFile(path.toStdString()), kKinds[kind],
                                  options, m_context.document.PlatformWhenEmpty());
                       return static_cast<int>(textures.size()) - 1;
                   });
}

void TextureCommands::OnTextureRemove() {
    ListEdit(tr("Remove"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0) {
            return std::nullopt;
        }
        RemoveTexture(textures, static_cast<std::size_t>(row));
        return std::min(row, static_cast<int>(textures.size()) - 1);
    });
}

void TextureCommands::OnTextureRename() {
    m_context.panel.StartRename();
}

void TextureCommands::RenameFromList(int row, const QString& typed) {
    const Textures& textures = m_context.document.Textures();
    if (row < 0 || static_cast<std::size_t>(row) >= textures.size()) {
        return;
    }
    const std::string name = typed.toStdString();
    if (name == textures[static_cast<std::size_t>(row)].name) {
        return;
    }
    try {
        ListEdit(tr("Rename"), [&](Textures& edited, int) -> std::optional<int> {
            RenameTexture(edited, static_cast<std::size_t>(row), name);
            return row;
        });
    } catch (const FileError&) {
        m_context.panel.FillList(row);
        throw;
    }
}

void TextureCommands::OnTextureReplace() {
    if (m_context.panel.CurrentRow() < 0) {
        return;
    }
    const QString path =
        m_context.prompts.OpenFileName(&m_context.window, kPictureFilter, QString(), QString());
    if (path.isEmpty()) {
        return;
    }
    MakingListEdit(tr("Replace With Image"),
                   [&](Textures& textures, int row, const PictureImportOptions& options) {
                       ReplaceTexture(textures, static_cast<std::size_t>(row),
                                      ReadPictureFile(path.toStdString()), options);
                       return std::optional<int>(row);
                   });
}

void TextureCommands::OnTextureChangeKind() {
    const TextureRecord* record = m_context.panel.SelectedRecord();
    if (record == nullptr) {
        return;
    }
    const int kind = m_context.prompts.ChooseItem(&m_context.window, tr("Kind of the texture:"),
                                                  KindTexts(), KindIndex(*record));
    if (kind < 0) {
        return;
    }
    MakingListEdit(
        tr("Change Kind"),
        [&](Textures& textures, int row,
            const PictureImportOptions& options) -> std::optional<int> {
            if (!ChangeKind(textures, static_cast<std::size_t>(row), kKinds[kind], options)) {
                return std::nullopt;
            }
            return row;
        });
}

void TextureCommands::OnTextureResize() {
    const TextureRecord* record = m_context.panel.SelectedRecord();
    if (record == nullptr) {
        return;
    }
    QList<int> sides;
    for (int side = 1; side <= kLargestSide; side *= 2) {
        sides << side;
    }
    const auto size = m_context.prompts.ChooseSize(
        &m_context.window, sides,
        QSize(static_cast<int>(record->width), static_cast<int>(record->height)));
    if (!size) {
        return;
    }
    MakingListEdit(tr("Resize"),
                   [&](Textures& textures, int row,
                       const PictureImportOptions& options) -> std::optional<int> {
                       if (!ResizeTexture(textures, static_cast<std::size_t>(row),
                                          static_cast<std::uint32_t>(size->width()),
                                          static_cast<std::uint32_t>(size->height()), options)) {
                           return std::nullopt;
                       }
                       return row;
                   });
}

void TextureCommands::OnTextureMakeLevels() {
    ListEdit(tr("Make Mip Levels"), OfRow([](Textures& textures, std::size_t row) {
                 return MakeMipLevels(textures, row);
             }));
}

void TextureCommands::OnTextureRemoveLevels() {
    ListEdit(tr("Remove Mip Levels"), OfRow(RemoveMipLevels));
}

void TextureCommands::OnTextureMoveUp() {
    ListEdit(tr("Move Up"), Move(MoveDirection::kUp, -1));
}

void TextureCommands::OnTextureMoveDown() {
    ListEdit(tr("Move Down"), Move(MoveDirection::kDown, +1));
}

}  // namespace tinplate
