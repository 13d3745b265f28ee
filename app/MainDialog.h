// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIcon>
#include <QString>
#include <string>
#include <vector>

#include "GfxBinding.h"
#include "TextureRecord.h"

class QLabel;
class QListWidget;
class Prompts;

// Full path of the open dictionary: set by Open, used by Save.
extern QString g_txdPath;

// The editor's one window: the texture list, the picture, the value fields and the menus.
class MainDialog : public QDialog {
public:
    MainDialog(Prompts& prompts, GfxBinding& gfx, QWidget* parent = nullptr);
    ~MainDialog() override;

    // Runs the handler of a menu command or of the list's double-click. A file error ends
    // the command with an error box; the window stays open.
    void Dispatch(int commandId);

    // Opens `path` as File > Open does after its dialog, reporting a failure in an error box.
    void OpenFileAtStart(const QString& path);

    bool IsModified() const { return m_modified; }

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
    // Pictures of any format (PictureCommands.cpp).
    void OnImageExportAs();
    void OnImageImportFrom();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void OpenDictionary(const QString& path);
    template <typename Command>
    void ReportFileErrors(Command command);
    void BuildMenus();
    // Copies the ten field texts into their labels (the other direction is never needed).
    void UpdateData(bool saveAndValidate);
    TextureRecord* SelectedRecord() const;
    QString SelectedName() const;
    void ShowPicture(const struct PreviewPicture& picture);
    void SetAlphaOfSelection(bool yes);
    void ConvertAll(bool (*convert)(TextureRecord&));
    // Asks about unsaved changes; false when the user cancels or the save fails.
    bool ConfirmDiscardOrSave();

    Prompts& m_prompts;
    GfxBinding& m_gfx;
    std::vector<TextureEntry> m_textures;
    bool m_modified = false;

    QLabel* m_picture = nullptr;
    QListWidget* m_textureList = nullptr;
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
