// SPDX-License-Identifier: GPL-3.0-or-later
// The texture list, the picture, the value fields and the level selector, following the document.
#pragma once

#include <QString>
#include <vector>

#include "app/GrowingCanvas.h"
#include "gfxlib/GfxBinding.h"
#include "txd/TextureRecord.h"

class QComboBox;
class QLineEdit;
class QListWidgetItem;
class QLabel;
class QListWidget;
class QStatusBar;

namespace tinplate {

class DialogLayout;
class ListThumbnails;
class PreviewView;
class Prompts;
class TextureDocument;

// The list shows the document's textures; the picture, the fields and the level selector show
// the texture last asked for with OnDblclkTextureList, which need not be the selected one.
class TexturePanel : public GrowingCanvas {
    Q_OBJECT

public:
    TexturePanel(TextureDocument& document, GfxBinding& gfx, Prompts& prompts, QWidget* parent);

    // The status text and the level selector, made at the end of the window's status bar.
    void BuildStatusWidgets(QStatusBar& bar);

    QListWidget& List() const { return *m_textureList; }
    PreviewView& Picture() const { return *m_picture; }
    // How much larger the window must be for the picture area to show `picture` unscrolled.
    QSize GrowthToShow(QSize picture) const;
    // The selected row, or -1; a texture the search field hides counts as none, so that no
    // command of one texture reaches it.
    int CurrentRow() const;
    TextureRecord* SelectedRecord() const;
    QString SelectedName() const;

    // The list's double-click: shows the selected texture's picture, levels and fields.
    void OnDblclkTextureList();
    // Shows the selected texture again, so that picture and fields tell the truth after an edit.
    void ShowSelectedTexture();
    // Copies the ten field texts into their labels (the other direction is never needed).
    void UpdateData(bool saveAndValidate);
    // The Alpha field after an alpha command, whichever texture is shown.
    void ShowAlpha(bool yes);
    // Fills the list from the document, selects `row` and shows it.
    void FillList(int row);
    // Opens the selected texture's name for editing; the typed name arrives as renameTyped.
    void StartRename();
    void UpdateStatus();

    // Edit > Find: shows the search field above the list and puts the cursor in it.
    void OpenFilter();
    // Escape in the field: clears and hides it, and every texture shows again.
    void CloseFilter();
    // View > Thumbnails (true) or View > List.
    void ShowThumbnails(bool shown);
    bool ShowsThumbnails() const;

signals:
    void doubleClicked();
    // The name typed for the texture at `row`, once the item editor has let go of it.
    void renameTyped(int row, const QString& name);
    void contextMenuRequested(const QPoint& globalPosition);

private:
    void BuildControls();
    // The preview of `record`, with its full-size picture made when a view asks for it.
    void ShowPicture(const TextureRecord& record);
    void ShowLevel(int level);
    void Reset();
    void ClearPicture();
    void ShowFileName();
    void BuildFilter(const DialogLayout& layout);
    // Hides the items whose names do not hold the search text, in any letter case.
    void ApplyFilter();
    // The current item unless the search field hides it.
    QListWidgetItem* SelectedItem() const;

    TextureDocument& m_document;
    GfxBinding& m_gfx;
    Prompts& m_prompts;
    // Set while the list is filled, when item changes are no renames.
    bool m_fillingList = false;

    PreviewView* m_picture = nullptr;
    QListWidget* m_textureList = nullptr;
    QLineEdit* m_filter = nullptr;
    ListThumbnails* m_thumbnails = nullptr;
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

    // The labels the ten texts above are shown in, in the same order.
    std::vector<QLabel*> m_valueLabels;
};

}  // namespace tinplate
