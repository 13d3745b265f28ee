// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's one window: wires the document, the texture panel, the menus and the commands.
#pragma once

#include <QDialog>
#include <QString>

#include "app/CommandTable.h"
#include "gfxlib/GfxBinding.h"

namespace tinplate {

class BrowsePanel;
class CheckPanel;
class FileCommands;
class ImageCommands;
class MenuBar;
class PlatformCommands;
class Prompts;
class TextureCommands;
class TextureDocument;
class TexturePanel;
class ViewCommands;

// Holds the document and the texture panel that shows it; the command groups register their
// handlers in the window's command table, which the menus, shortcuts and the list's
// double-click dispatch to.
class MainDialog : public QDialog {
    Q_OBJECT

public:
    MainDialog(Prompts& prompts, GfxBinding& gfx, QWidget* parent = nullptr);
    ~MainDialog() override;

    // Runs the handler of a menu command or of the list's double-click. A file error ends
    // the command with an error box; the window stays open.
    void Dispatch(int commandId);

    // Opens `path` as File > Open does after its dialog, reporting a failure in an error box.
    void OpenFileAtStart(const QString& path);
    // As File > Open Recent does: asks about unsaved changes first.
    void OpenAfterAsking(const QString& path);

    // Opens `dictionary` (a file, or ARCHIVE:ENTRY) as Open Recent does unless it is the open
    // one, then selects and shows texture `row` of it.
    void OpenAndSelect(const QString& dictionary, int row);

    // Unsaved changes: the undo stack is away from where the dictionary was opened or saved.
    bool IsModified() const;

    // The window's size, zoom and channel view as the user left them in an earlier run.
    void RestoreWindowState();

    TextureDocument& Document() const { return *m_document; }
    TexturePanel& Panel() const { return *m_panel; }
    MenuBar& Menus() const { return *m_menuBar; }
    BrowsePanel& Browser() const { return *m_browse; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void BuildStatusBar();
    void UpdateTitle();
    void SaveWindowState() const;

    Prompts& m_prompts;
    CommandTable m_commands;
    TextureDocument* m_document;
    TexturePanel* m_panel = nullptr;
    FileCommands* m_file = nullptr;
    ImageCommands* m_image = nullptr;
    TextureCommands* m_texture = nullptr;
    ViewCommands* m_view = nullptr;
    CheckPanel* m_checks = nullptr;
    BrowsePanel* m_browse = nullptr;
    PlatformCommands* m_platform = nullptr;
    MenuBar* m_menuBar = nullptr;
};

}  // namespace tinplate
