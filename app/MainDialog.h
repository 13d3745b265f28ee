// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "FileIdentity.h"
#include "GfxBinding.h"
#include "TextureRecord.h"
#include "UndoCommands.h"

class QComboBox;
class QLabel;
class QListWidget;
class QUndoStack;
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

    Prompts& m_prompts;
    GfxBinding& m_gfx;
    std::vector<TextureEntry> m_textures;
    QUndoStack* m_undoStack = nullptr;
    // The dictionary on disk as it was opened or last saved: Save writes over nothing else.
    FileIdentity m_opened;

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
