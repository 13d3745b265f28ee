// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/UndoCommands.h"
#include "fileio/FileIdentity.h"
#include "fileio/MappedFile.h"
#include "gfxlib/GfxBinding.h"
#include "txd/TextureRecord.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QUndoStack;

namespace tinplate {

class PreviewView;
class Prompts;

// Full path of the open dictionary: set by Open, used by Save.
extern QString g_txdPath;

// The editor's one window: the texture list, the picture, the value fields and the menus.
class MainDialog : public QDialog, private EditTarget {
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

    // Unsaved changes: the undo stack is away from where the dictionary was opened or saved.
    bool IsModified() const;

    // The window's size, zoom and channel view as the user left them in an earlier run.
    void RestoreWindowState();

    // Command handlers.
    void OnFileOpen();
    void OnFileSave();
    void OnFileExit();
    void OnImageImport();
    void OnImageExport();
    void OnImageUnswizzleAll();
    void OnImageSwizzleAll();
    void OnImageFlip();
    void OnAlphaSetAlphaToYes();
    void OnAlphaSetAlphaToNo();
    void OnDblclkTextureList();
    void OnHelpAbout();
    void OnEditUndo();
    void OnEditRedo();
    void OnViewZoomStandard();
    void OnViewZoomFit();
    void OnViewZoom100();
    void OnViewZoom200();
    void OnViewZoom400();
    void OnViewZoom800();
    void OnViewZoomIn();
    void OnViewZoomOut();
    void OnViewColour();
    void OnViewCheckerboard();
    void OnViewAlphaChannel();
    // Pictures of any format (PictureCommands.cpp).
    void OnImageExportAs();
    void OnImageImportFrom();
    // New dictionaries and the Texture menu (TextureCommands.cpp).
    void OnFileNew();
    void OnFileSaveAs();
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

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    TextureRecord& RecordAt(std::size_t index) override { return m_textures.at(index).record; }
    std::size_t RecordCount() const override { return m_textures.size(); }

    void BuildControls();
    void BuildMenus();
    void BuildStatusBar();
    void OpenDictionary(const QString& path);
    template <typename Command>
    void ReportFileErrors(Command command);
    // Copies the ten field texts into their labels (the other direction is never needed).
    void UpdateData(bool saveAndValidate);
    TextureRecord* SelectedRecord() const;
    QString SelectedName() const;
    void ShowPicture(const struct PreviewPicture& picture, const TextureRecord& record);
    void ShowLevel(int level);
    void SetAlphaOfSelection(bool yes);
    void ConvertAll(bool (*convert)(TextureRecord&), const QString& text);
    // Runs `edit` on the textures at `rows` and puts it on the undo stack when it changed them.
    void UndoableEdit(const QString& text, const std::vector<std::size_t>& rows,
                      const std::function<void()>& edit);
    void ImportInto(int row, const QString& path);
    void DropOnTexture(const QString& path, const QPoint& position);
    // Asks about unsaved changes; false when the user cancels or the save fails.
    bool ConfirmDiscardOrSave();
    void UpdateTitle();
    void UpdateStatus();
    void UpdateViewChecks();
    void SaveViewState() const;
    // Save under the dictionary lock; a file changed by someone else offers to reopen it.
    void SaveUnderLock();
    // Whether a dictionary is open or new, so that textures can be added to it.
    bool HasDictionary() const { return !g_txdPath.isEmpty() || m_untitled; }
    std::span<const std::uint8_t> OriginalBytes() const;
    // Fills the list from m_textures, selects `row` and shows it.
    void FillList(int row);
    // Runs `edit` on a copy of the list with the selected row; when it returns a row to select,
    // the new list replaces the old one as an undoable command.
    void ListEdit(const QString& text,
                  const std::function<std::optional<int>(std::vector<TextureEntry>&, int)>& edit);
    // The name typed into the list's item editor for the texture at `row`.
    void RenameFromList(int row, const QString& name);

    Prompts& m_prompts;
    GfxBinding& m_gfx;
    std::vector<TextureEntry> m_textures;
    QUndoStack* m_undoStack = nullptr;
    // The dictionary on disk as it was opened or last saved: Save writes over nothing else.
    FileIdentity m_opened;
    // The file as opened, which the records refer to and the whole-file writer copies from.
    std::shared_ptr<const MappedFile> m_original;
    // The file on disk was written whole: its blocks no longer lie where the records say.
    bool m_savedWhole = false;
    // A dictionary made by File > New that has no file yet.
    bool m_untitled = false;
    // Set while the list is filled, when item changes are no renames.
    bool m_fillingList = false;
    QMenu* m_textureMenu = nullptr;

    PreviewView* m_picture = nullptr;
    QListWidget* m_textureList = nullptr;
    QLabel* m_statusText = nullptr;
    QComboBox* m_levelSelector = nullptr;
    // The row of the texture the picture shows, or -1.
    int m_shownRow = -1;
    QString m_width;
    QString m_height;
    QString m_bpp;
    QString m_comp;
    QString m_mipMaps;
    QString m_alpha;
    QString m_alphaFlags;
    QString m_filterFlags;
    QString m_fileLabel;
    QString m_imageLabel;
    QIcon m_hIcon;

    // The labels the ten texts above are shown in, in the same order.
    std::vector<QLabel*> m_valueLabels;
};

}  // namespace tinplate
