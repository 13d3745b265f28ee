// SPDX-License-Identifier: GPL-3.0-or-later
// The Texture menu: textures added, removed, renamed, replaced, converted, resized and moved.
#pragma once

#include <QObject>
#include <QString>

#include "app/CommandContext.h"
#include "app/TextureDocument.h"

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

    CommandContext m_context;
};

}  // namespace tinplate
