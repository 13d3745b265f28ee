// SPDX-License-Identifier: GPL-3.0-or-later
// The Texture menu: textures added, removed, renamed, replaced, converted, resized and moved.
#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

#include "app/CommandContext.h"
#include "app/TextureDocument.h"
#include "texture/PictureDrawing.h"

namespace tinplate {

class TextureCommands : public QObject {
    Q_OBJECT

public:
    // Registers the Texture menu's handlers in the context's command table.
    explicit TextureCommands(const CommandContext& context);

    void OnTextureAdd();
    void OnTextureRemove();
    void OnTextureRename();
    void OnTextureReplace();
    void OnTextureChangeKind();
    void OnTextureResize();
    void OnTextureMakeLevels();
    void OnTextureRemoveLevels();
    void OnTextureMoveUp();
    void OnTextureMoveDown();

    // The name typed into the list's item editor for the texture at `row`.
    void RenameFromList(int row, const QString& name);

private:
    // A list edit of the document with the selected row.
    void ListEdit(const QString& text, const TextureDocument::ListEdit& edit);
    // An edit that makes a texture of new sides or kind: one the platform cannot hold is
    // made only when the user, told the rule, asks for it anyway.
    using MakingEdit = std::function<std::optional<int>(TextureDocument::TextureList&, int,
                                                        const PictureImportOptions&)>;
    void MakingListEdit(const QString& text, const MakingEdit& edit);

    CommandContext m_context;
};

}  // namespace tinplate
