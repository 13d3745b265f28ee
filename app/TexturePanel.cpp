// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the texture panel's controls and shows the document's textures in them.
#include "app/TexturePanel.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStatusBar>
#include <algorithm>
#include <cmath>

#include "app/Artwork.h"
#include "app/DialogLayout.h"
#include "app/DictionaryPlatform.h"
#include "app/FileErrorReport.h"
#include "app/ListThumbnails.h"
#include "app/PreviewView.h"
#include "app/StatusSummary.h"
#include "app/TextureDocument.h"
#include "preview/FieldTexts.h"
#include "txd/LevelChain.h"

namespace tinplate {
namespace {

// The list's share of the width the window gains; the picture takes the rest.
constexpr double kListShare = 0.3;

struct ControlPlace {
    const char* text;
    int x, y, width, height;
};

// Captions and the value labels under them, in the order of the ten field texts.
constexpr ControlPlace kCaptions[] = {
    {QT_TRANSLATE_NOOP("MainDialog", "Width"), 24, 183, 21, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Height"), 56, 183, 22, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Bpp"), 90, 183, 15, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Comp."), 118, 183, 22, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "MipMaps"), 152, 183, 30, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Alpha"), 193, 183, 21, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Alpha Flags"), 227, 183, 37, 8},
    {QT_TRANSLATE_NOOP("MainDialog", "Filter Flags"), 275, 183, 38, 8},
};
constexpr ControlPlace kValues[] = {
    {"", 24, 191, 19, 9},  {"", 56, 191, 19, 9},  {"", 90, 191, 12, 9},  {"", 118, 191, 20, 9},
    {"", 152, 191, 22, 9}, {"", 193, 191, 18, 9}, {"", 227, 191, 34, 9}, {"", 275, 191, 36, 9},
    {"", 7, 1, 151, 10},   {"", 160, 1, 172, 9},
};
constexpr int kFileLabel = 8;
constexpr int kImageLabel = 9;

constexpr Growth kFieldRow{0, 0, 1, 0};
constexpr Growth kListColumn{0, kListShare, 0, 1};
constexpr Growth kPictureColumn{kListShare, 1 - kListShare, 0, 1};
constexpr Growth kFilterRow{0, kListShare, 0, 0};
// The list's place, and its place below the search field while that is open.
constexpr QRect kListPlace(7, 14, 151, 158);
constexpr QRect kFilterPlace(7, 14, 151, 13);
constexpr QRect kFilteredListPlace(7, 29, 151, 143);
constexpr QRect kPicturePlace(161, 14, 171, 158);

QRect Pixels(const DialogLayout& layout, const QRect& units) {
    return layout.ToPixels(units.x(), units.y(), units.width(), units.height());
}

QLabel* PlaceLabel(GrowingCanvas* canvas, const DialogLayout& layout, const ControlPlace& place,
                   Growth growth) {
    auto* label = new QLabel(QCoreApplication::translate("MainDialog", place.text), canvas);
    label->setTextFormat(Qt::PlainText);
    canvas->Place(label, layout.ToPixels(place.x, place.y, place.width, place.height), growth);
    return label;
}

FieldTexts ToFieldTexts(const QString* texts) {
    return {texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
            texts[3].toStdString(), texts[4].toStdString(), texts[5].toStdString(),
            texts[6].toStdString(), texts[7].toStdString()};
}

// The panel's size in the window's font before the window grows.
QSize FirstSize(const QWidget& window) {
    return DialogLayout(window.fontMetrics()).ToPixels(0, 0, 339, 212).size();
}

}  // namespace

TexturePanel::TexturePanel(TextureDocument& document, GfxBinding& gfx, Prompts& prompts,
                           QWidget* parent)
    : GrowingCanvas(FirstSize(*parent), parent),
      m_document(document),
      m_gfx(gfx),
      m_prompts(prompts) {
    BuildControls();
    connect(&m_document, &TextureDocument::opened, this, &TexturePanel::Reset);
    connect(&m_document, &TextureDocument::fileChanged, this, &TexturePanel::ShowFileName);
    connect(&m_document, &TextureDocument::texturesReplaced, this, &TexturePanel::FillList);
}

void TexturePanel::BuildControls() {
    const DialogLayout layout(fontMetrics());
    m_textureList = new QListWidget(this);
    m_textureList->setObjectName("textureList");
    m_textureList->setAccessibleName(tr("Textures"));
    // Several textures may be selected for Texture > Properties; other commands take the current
    // one.
    m_textureList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Place(m_textureList, Pixels(layout, kListPlace), kListColumn);
    connect(m_textureList, &QListWidget::itemDoubleClicked, this, &TexturePanel::doubleClicked);
    connect(m_textureList, &QListWidget::currentRowChanged, this, &TexturePanel::UpdateStatus);
    // Rename edits the name in place; no click or key starts an edit on its own.
    m_textureList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rename runs once the editor has let go of the item, which filling the list deletes.
    connect(m_textureList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_fillingList) {
            QMetaObject::invokeMethod(
                this,
                [this, row = m_textureList->row(item), name = item->text()] {
                    emit renameTyped(row, name);
                },
                Qt::QueuedConnection);
        }
    });
    m_textureList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_textureList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        emit contextMenuRequested(m_textureList->viewport()->mapToGlobal(at));
    });

    m_thumbnails = new ListThumbnails(m_document, *m_textureList, this);
    BuildFilter(layout);

    m_picture = new PreviewView(this);
    Place(m_picture, Pixels(layout, kPicturePlace), kPictureColumn);
    m_picture->Show(PlaceholderBitmap(), nullptr);

    auto* frame = new QGroupBox(this);
    Place(frame, layout.ToPixels(7, 172, 325, 34), {0, 1, 1, 0});
    frame->lower();

    for (std::size_t i = 0; i < std::size(kValues); ++i) {
        const Growth growth = i == kFileLabel    ? Growth{0, kListShare, 0, 0}
                              : i == kImageLabel ? Growth{kListShare, 1 - kListShare, 0, 0}
                                                 : kFieldRow;
        m_valueLabels.push_back(PlaceLabel(this, layout, kValues[i], growth));
    }
    for (std::size_t i = 0; i < std::size(kCaptions); ++i) {
        QLabel* caption = PlaceLabel(this, layout, kCaptions[i], kFieldRow);
        caption->setBuddy(m_valueLabels[i]);
        m_valueLabels[i]->setAccessibleDescription(caption->text());
        m_valueLabels[i]->setObjectName(kCaptions[i].text);
    }
    m_valueLabels[kFileLabel]->setObjectName("fileLabel");
    m_valueLabels[kImageLabel]->setObjectName("imageLabel");
}

void TexturePanel::BuildStatusWidgets(QStatusBar& bar) {
    m_statusText = new QLabel(&bar);
    m_statusText->setObjectName("statusText");
    bar.addWidget(m_statusText, 1);
    m_levelSelector = new QComboBox(&bar);
    m_levelSelector->setObjectName("levelSelector");
    m_levelSelector->setAccessibleName(tr("Mip level"));
    m_levelSelector->setEnabled(false);
    m_levelSelector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bar.addPermanentWidget(m_levelSelector);
    connect(m_levelSelector, &QComboBox::activated, this, [this](int level) {
        ReportFileErrors(m_prompts, window(), [this, level] { ShowLevel(level); });
    });
    UpdateStatus();
}

QListWidgetItem* TexturePanel::SelectedItem() const {
    QListWidgetItem* item = m_textureList->currentItem();
    return item != nullptr && !item->isHidden() ? item : nullptr;
}

int TexturePanel::CurrentRow() const {
    QListWidgetItem* item = SelectedItem();
    return item ? m_textureList->row(item) : -1;
}

TextureRecord* TexturePanel::SelectedRecord() const {
    QListWidgetItem* item = SelectedItem();
    return item ? static_cast<TextureRecord*>(item->data(Qt::UserRole).value<void*>()) : nullptr;
}

QString TexturePanel::SelectedName() const {
    QListWidgetItem* item = SelectedItem();
    return item ? item->text() : QString();
}

void TexturePanel::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        return;  // the labels are never edited by the user
    }
    const QString* texts[] = {&m_width, &m_height,     &m_bpp,         &m_comp,      &m_mipMaps,
                              &m_alpha, &m_alphaFlags, &m_filterFlags, &m_fileLabel, &m_imageLabel};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        m_valueLabels[i]->setText(*texts[i]);
    }
}

void TexturePanel::ShowAlpha(bool yes) {
    m_alpha = yes ? tr("Yes") : tr("No");
    UpdateData(false);
}

void TexturePanel::ShowFileName() {
    m_fileLabel = tr("File: ") + m_document.FileName();
    UpdateData(false);
}

// Another dictionary: nothing of the one before stays on show.
void TexturePanel::Reset() {
    // A search belongs to the file it was typed for.
    m_filter->clear();
    ClearPicture();
}

void TexturePanel::ClearPicture() {
    m_imageLabel.clear();
    m_picture->Clear();
    m_shownRow = -1;
}

void TexturePanel::FillList(int row) {
    const TextureDocument::TextureList& textures = m_document.Textures();
    m_fillingList = true;
    m_textureList->clear();
    for (std::size_t i = 0; i < textures.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(textures[i].name));
        TextureRecord* record = &m_document.RecordAt(i);
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(record)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        m_textureList->insertItem(static_cast<int>(i), item);
    }
    m_fillingList = false;
    m_textureList->setCurrentRow(row);
    ApplyFilter();
    m_thumbnails->ListFilled();
    UpdateStatus();
    ShowSelectedTexture();
}

QSize TexturePanel::GrowthToShow(QSize picture) const {
    const QSize area = Pixels(DialogLayout(fontMetrics()), kPicturePlace).size();
    const int frame = 2 * m_picture->frameWidth();
    const double wider = std::max(0, picture.width() + frame - area.width());
    return {static_cast<int>(std::ceil(wider / kPictureColumn.growX)),
            std::max(0, picture.height() + frame - area.height())};
}

void TexturePanel::StartRename() {
    if (QListWidgetItem* item = SelectedItem()) {
        m_textureList->editItem(item);
    }
}

void TexturePanel::UpdateStatus() {
    if (m_statusText != nullptr) {
        int shown = 0;
        for (int row = 0; row < m_textureList->count(); ++row) {
            shown += m_textureList->item(row)->isHidden() ? 0 : 1;
        }
        m_statusText->setText(
            StatusSummary(m_textureList->count(), shown, DictionaryPlatform(m_document.Textures()),
                          m_document.VersionWord(), SelectedRecord()) +
            (ShowsSwizzledTexels() ? tr(" | stored swizzled: View > As the Game Draws It shows "
                                        "the picture")
                                   : QString()));
    }
}

void TexturePanel::BuildFilter(const DialogLayout& layout) {
    m_filter = new QLineEdit(this);
    m_filter->setObjectName("textureFilter");
    m_filter->setAccessibleName(tr("Find texture"));
    m_filter->setPlaceholderText(tr("Find texture"));
    m_filter->setClearButtonEnabled(true);
    Place(m_filter, Pixels(layout, kFilterPlace), kFilterRow);
    m_filter->hide();
    connect(m_filter, &QLineEdit::textChanged, this, &TexturePanel::ApplyFilter);
    auto* close = new QAction(m_filter);
    close->setShortcut(Qt::Key_Escape);
    close->setShortcutContext(Qt::WidgetShortcut);
    m_filter->addAction(close);
    connect(close, &QAction::triggered, this, &TexturePanel::CloseFilter);
}

void TexturePanel::OpenFilter() {
    if (m_filter->isHidden()) {
        MovePlace(m_textureList, Pixels(DialogLayout(fontMetrics()), kFilteredListPlace));
        m_filter->show();
    }
    m_filter->setFocus();
    m_filter->selectAll();
}

void TexturePanel::CloseFilter() {
    m_filter->clear();
    m_filter->hide();
    MovePlace(m_textureList, Pixels(DialogLayout(fontMetrics()), kListPlace));
    m_textureList->setFocus();
}

void TexturePanel::ApplyFilter() {
    const QString text = m_filter->text();
    for (int row = 0; row < m_textureList->count(); ++row) {
        QListWidgetItem* item = m_textureList->item(row);
        item->setHidden(!item->text().contains(text, Qt::CaseInsensitive));
    }
    // A texture out of sight is no longer the one the commands work on, nor shown.
    if (m_textureList->currentItem() != nullptr && m_textureList->currentItem()->isHidden()) {
        m_textureList->setCurrentRow(-1);
        ClearPicture();
    }
    UpdateStatus();
}

void TexturePanel::ShowThumbnails(bool shown) {
    m_thumbnails->SetShown(shown);
}

bool TexturePanel::ShowsThumbnails() const {
    return m_thumbnails->IsShown();
}

void TexturePanel::OnDblclkTextureList() {
    ShowSelectedTexture();
}

void TexturePanel::ShowSelectedTexture() {
    QString* values[] = {&m_width,   &m_height, &m_bpp,        &m_comp,
                         &m_mipMaps, &m_alpha,  &m_alphaFlags, &m_filterFlags};
    const TextureRecord* record = SelectedRecord();
    m_levelSelector->clear();
    m_levelSelector->setEnabled(false);
    if (record == nullptr) {
        m_picture->Clear();
        m_shownRow = -1;
        for (QString* value : values) {
            value->clear();
        }
        UpdateData(false);
        UpdateStatus();
        return;
    }
    m_shownRow = m_textureList->currentRow();
    ShowTexture(*record, 0);
    m_levelSelector->addItem(tr("Level %1: %2 × %3").arg(0).arg(record->width).arg(record->height));
    const std::vector<LevelSize> levels = SmallerLevelSizes(*record);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        m_levelSelector->addItem(
            tr("Level %1: %2 × %3").arg(i + 1).arg(levels[i].width).arg(levels[i].height));
    }
    m_levelSelector->setEnabled(!levels.empty());
    const QString current[] = {m_width,   m_height, m_bpp,        m_comp,
                               m_mipMaps, m_alpha,  m_alphaFlags, m_filterFlags};
    FieldTexts texts = ToFieldTexts(current);
    UpdateFieldTexts(*record, texts);
    const std::string* updated[] = {&texts.width,      &texts.height,     &texts.bpp,
                                    &texts.comp,       &texts.mipMaps,    &texts.alpha,
                                    &texts.alphaFlags, &texts.filterFlags};
    for (std::size_t i = 0; i < std::size(values); ++i) {
        *values[i] = QString::fromStdString(*updated[i]);
    }
    m_imageLabel = tr("Image: ") + SelectedName();
    UpdateData(false);
    UpdateStatus();
}

}  // namespace tinplate
