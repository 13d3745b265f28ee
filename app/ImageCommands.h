// SPDX-License-Identifier: GPL-3.0-or-later
// The Image and Alpha menus, and pictures dropped on a texture.
#pragma once

#include <QObject>
#include <QPoint>
#include <QString>

#include "app/CommandContext.h"
#include "txd/TextureRecord.h"

namespace tinplate {

class ImageCommands : public QObject {
    Q_OBJECT

public:
    // Registers the Image and Alpha menus' handlers in the context's command table.
    explicit ImageCommands(const CommandContext& context);

    void OnImageImport();
    void OnImageExport();
    void OnImageUnswizzleAll();
    void OnImageSwizzleAll();
    void OnImageFlip();
    void OnImageExportAs();
    void OnImageImportFrom();
    void OnAlphaSetAlphaToYes();
    void OnAlphaSetAlphaToNo();

    // A picture dropped at `position` (in the window) on a texture is imported into it as
    // Image > Import would import it; anywhere else it is refused with an error box.
    void DropOnTexture(const QString& path, const QPoint& position);

private:
    void ImportInto(int row, const QString& path);
    void ConvertAll(bool (*convert)(TextureRecord&), const QString& text);
    void SetAlphaOfSelection(bool yes);

    CommandContext m_context;
};

}  // namespace tinplate
