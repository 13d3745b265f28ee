// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QUndoStack>

#include "app/MainDialog.h"
#include "app/Prompts.h"
#include "edits/DictionaryEdits.h"
#include "edits/EditRefused.h"
#include "exchange/ImportFrom.h"
#include "fileio/FileError.h"
#include "txd/DictionaryWriter.h"

namespace tinplate {

namespace {

constexpr const char* kPictureFilter =
    "Pictures (*.png *.tga *.bmp *.jpg *.jpeg *.dds)|*.png *.tga *.bmp *.jpg *.jpeg *.dds|"
    "All Files (*.*)|*.*||";
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
    const auto kind = KindOf(record);
    return kind ? static_cast<int>(*kind) : 0;
}

using Textures = std::vector<TextureEntry>;

}  // namespace

void MainDialog::ListEdit(const QString& text,
                          const std::function<std::optional<int>(Textures&, int)>& edit) {
    if (!HasDictionary()) {
        return;
    }
    const int row = m_textureList->currentRow();
    Textures edited = m_textures;
    std::optional<int> selected;
    try {
        selected = edit(edited, row);
    } catch (const EditRefused& refusal) {
        const QString file = m_untitled ? tr("Untitled.txd") : QFileInfo(g_txdPath).fileName();
        throw FileError(file.toStdString(), refusal.what());
    }
    if (!selected) {
        return;
    }
    m_undoStack->push(new TextureListCommand(text, m_textures, row, std::move(edited), *selected,
                                             [this](const Textures& textures, int select) {
                                                 m_textures = textures;
                                                 FillList(select);
                                             }));
}

void MainDialog::OnFileNew() {
    if (IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    g_txdPath.clear();
    m_untitled = true;
    m_original.reset();
    m_savedWhole = false;
    m_opened = {};
    m_undoStack->clear();
    m_textures.clear();
    m_fileLabel = tr("File: ") + tr("Untitled.txd");
    m_imageLabel.clear();
    UpdateTitle();
    FillList(-1);
}

void MainDialog::OnFileSaveAs() {
    if (!HasDictionary()) {
        return;
    }
    const QString initial = m_untitled ? tr("Untitled.txd") : QFileInfo(g_txdPath).fileName();
    const QString chosen = m_prompts.SaveFileName(this, tr("TXD File (*.txd)"), initial);
    if (chosen.isEmpty()) {
        return;
    }
    const QFileInfo file(chosen);
    m_opened =
        WriteDictionaryFile(file.absoluteFilePath().toStdString(), OriginalBytes(), m_textures);
    // The records still describe the file first read, from which every later save copies.
    m_savedWhole = true;
    m_untitled = false;
    g_txdPath = file.absoluteFilePath();
    QDir::setCurrent(file.absolutePath());
    m_fileLabel = tr("File: ") + file.fileName();
    m_undoStack->setClean();
    UpdateTitle();
    UpdateData(false);
    m_prompts.Message(this, tr("File Saved"));
}

void MainDialog::OnTextureAdd() {
    if (!HasDictionary()) {
        return;
    }
    const QString path = m_prompts.OpenFileName(this, kPictureFilter, QString(), QString());
    if (path.isEmpty()) {
        return;
    }
    const int kind = m_prompts.ChooseItem(this, tr("Kind of the new texture:"), KindTexts(), 0);
    if (kind < 0) {
        return;
    }
    const std::string name = QFileInfo(path).completeBaseName().toStdString();
    ListEdit(tr("Add From Image"), [&](Textures& textures, int) -> std::optional<int> {
        AddTexture(textures, name, ReadPictureFile(path.toStdString()), kKinds[kind]);
        return static_cast<int>(textures.size()) - 1;
    });
}

void MainDialog::OnTextureRemove() {
    ListEdit(tr("Remove"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0) {
            return std::nullopt;
        }
        RemoveTexture(textures, static_cast<std::size_t>(row));
        return std::min(row, static_cast<int>(textures.size()) - 1);
    });
}

void MainDialog::OnTextureRename() {
    if (QListWidgetItem* item = m_textureList->currentItem()) {
        m_textureList->editItem(item);
    }
}

void MainDialog::RenameFromList(int row, const QString& typed) {
    if (row < 0 || static_cast<std::size_t>(row) >= m_textures.size()) {
        return;
    }
    const std::string name = typed.toStdString();
    if (name == m_textures[static_cast<std::size_t>(row)].name) {
        return;
    }
    try {
        ListEdit(tr("Rename"), [&](Textures& textures, int) -> std::optional<int> {
            RenameTexture(textures, static_cast<std::size_t>(row), name);
            return row;
        });
    } catch (const FileError&) {
        FillList(row);
        throw;
    }
}

void MainDialog::OnTextureReplace() {
    if (m_textureList->currentRow() < 0) {
        return;
    }
    const QString path = m_prompts.OpenFileName(this, kPictureFilter, QString(), QString());
    if (path.isEmpty()) {
        return;
    }
    ListEdit(tr("Replace With Image"), [&](Textures& textures, int row) -> std::optional<int> {
        ReplaceTexture(textures, static_cast<std::size_t>(row),
                       ReadPictureFile(path.toStdString()));
        return row;
    });
}

void MainDialog::OnTextureChangeKind() {
    const TextureRecord* record = SelectedRecord();
    if (record == nullptr) {
        return;
    }
    const int kind =
        m_prompts.ChooseItem(this, tr("Kind of the texture:"), KindTexts(), KindIndex(*record));
    if (kind < 0) {
        return;
    }
    ListEdit(tr("Change Kind"), [&](Textures& textures, int row) -> std::optional<int> {
        if (!ChangeKind(textures, static_cast<std::size_t>(row), kKinds[kind])) {
            return std::nullopt;
        }
        return row;
    });
}

void MainDialog::OnTextureResize() {
    const TextureRecord* record = SelectedRecord();
    if (record == nullptr) {
        return;
    }
    QList<int> sides;
    for (int side = 1; side <= kLargestSide; side *= 2) {
        sides << side;
    }
    const auto size = m_prompts.ChooseSize(
        this, sides, QSize(static_cast<int>(record->width), static_cast<int>(record->height)));
    if (!size) {
        return;
    }
    ListEdit(tr("Resize"), [&](Textures& textures, int row) -> std::optional<int> {
        if (!ResizeTexture(textures, static_cast<std::size_t>(row),
                           static_cast<std::uint32_t>(size->width()),
                           static_cast<std::uint32_t>(size->height()))) {
            return std::nullopt;
        }
        return row;
    });
}

void MainDialog::OnTextureMakeLevels() {
    ListEdit(tr("Make Mip Levels"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0 || !MakeMipLevels(textures, static_cast<std::size_t>(row))) {
            return std::nullopt;
        }
        return row;
    });
}

void MainDialog::OnTextureRemoveLevels() {
    ListEdit(tr("Remove Mip Levels"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0 || !RemoveMipLevels(textures, static_cast<std::size_t>(row))) {
            return std::nullopt;
        }
        return row;
    });
}

void MainDialog::OnTextureMoveUp() {
    ListEdit(tr("Move Up"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0) {
            return std::nullopt;
        }
        MoveTexture(textures, static_cast<std::size_t>(row), MoveDirection::kUp);
        return row - 1;
    });
}

void MainDialog::OnTextureMoveDown() {
    ListEdit(tr("Move Down"), [](Textures& textures, int row) -> std::optional<int> {
        if (row < 0) {
            return std::nullopt;
        }
        MoveTexture(textures, static_cast<std::size_t>(row), MoveDirection::kDown);
        return row + 1;
    });
}

}  // namespace tinplate
