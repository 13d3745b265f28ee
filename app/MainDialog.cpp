// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDialog.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPixmap>
#include <QVBoxLayout>

#include "AboutDialog.h"
#include "AlphaFlag.h"
#include "Artwork.h"
#include "CommandTable.h"
#include "DialogLayout.h"
#include "DictionaryLock.h"
#include "DictionaryReader.h"
#include "DictionarySave.h"
#include "ExchangeMessages.h"
#include "Export.h"
#include "FieldTexts.h"
#include "FileError.h"
#include "Flip.h"
#include "Import.h"
#include "ImportDialog.h"
#include "Preview.h"
#include "Prompts.h"
#include "Swizzle.h"

QString g_txdPath;

namespace {

struct ControlPlace {
    const char* text;
    int x, y, width, height;
};

// Captions and the value labels under them, in the order of the ten field texts.
constexpr ControlPlace kCaptions[] = {
    {"Width", 24, 183, 21, 8},        {"Height", 57, 183, 22, 8},        {"Bpp", 91, 183, 15, 8},
    {"Comp.", 118, 183, 22, 8},       {"MipMaps", 152, 183, 30, 8},      {"Alpha", 194, 183, 21, 8},
    {"Alpha Flags", 227, 183, 37, 8}, {"Filter Flags", 276, 183, 38, 8},
};
constexpr ControlPlace kValues[] = {
    {"", 24, 191, 19, 9},  {"", 56, 191, 19, 8},  {"", 90, 191, 12, 9},  {"", 118, 191, 20, 9},
    {"", 152, 191, 22, 9}, {"", 193, 191, 18, 8}, {"", 227, 191, 34, 9}, {"", 275, 191, 36, 9},
    {"", 7, 1, 151, 10},   {"", 160, 1, 172, 9},
};

QLabel* PlaceLabel(QWidget* parent, const DialogLayout& layout, const ControlPlace& place) {
    auto* label = new QLabel(place.text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(layout.ToPixels(place.x, place.y, place.width, place.height));
    return label;
}

FieldTexts ToFieldTexts(const QString* texts) {
    return {texts[0].toStdString(), texts[1].toStdString(), texts[2].toStdString(),
            texts[3].toStdString(), texts[4].toStdString(), texts[5].toStdString(),
            texts[6].toStdString(), texts[7].toStdString()};
}

}  // namespace

MainDialog::MainDialog(Prompts& prompts, GfxBinding& gfx, QWidget* parent)
    : QDialog(parent), m_prompts(prompts), m_gfx(gfx), m_hIcon(ApplicationIcon()) {
    setWindowTitle("TXD Tinplate v1.03");
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setWindowIcon(m_hIcon);
    BuildControls();
    BuildMenus();
}

MainDialog::~MainDialog() = default;

void MainDialog::BuildControls() {
    const DialogLayout layout(fontMetrics());
    auto* content = new QWidget(this);
    content->setFixedSize(layout.ToPixels(0, 0, 339, 212).size());
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(content);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    m_textureList = new QListWidget(content);
    m_textureList->setObjectName("textureList");
    m_textureList->setAccessibleName("Textures");
    m_textureList->setSelectionMode(QAbstractItemView::SingleSelection);
    m_textureList->setGeometry(layout.ToPixels(7, 14, 151, 158));
    connect(m_textureList, &QListWidget::itemDoubleClicked, this,
            [this] { Dispatch(command::kTextureListDoubleClick); });

    m_picture = new QLabel(content);
    m_picture->setObjectName("picture");
    m_picture->setAccessibleName("Preview");
    m_picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_picture->setGeometry(layout.ToPixels(161, 14, 171, 158));
    m_picture->setPixmap(PlaceholderBitmap());

    auto* frame = new QGroupBox(content);
    frame->setGeometry(layout.ToPixels(7, 172, 325, 34));
    frame->lower();

    for (const ControlPlace& place : kValues) {
        m_valueLabels.push_back(PlaceLabel(content, layout, place));
    }
    for (std::size_t i = 0; i < std::size(kCaptions); ++i) {
        QLabel* caption = PlaceLabel(content, layout, kCaptions[i]);
        caption->setBuddy(m_valueLabels[i]);
        m_valueLabels[i]->setAccessibleDescription(kCaptions[i].text);
        m_valueLabels[i]->setObjectName(kCaptions[i].text);
    }
    m_valueLabels[8]->setObjectName("fileLabel");
    m_valueLabels[9]->setObjectName("imageLabel");
}

void MainDialog::BuildMenus() {
    auto* menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);
    for (const MenuPopup& popup : kMenus) {
        QMenu* menu = menuBar->addMenu(popup.title);
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                break;
            }
            QAction* action = menu->addAction(item.text);
            action->setData(item.id);
            connect(action, &QAction::triggered, this, [this, id = item.id] { Dispatch(id); });
        }
    }
}

template <typename Command>
void MainDialog::ReportFileErrors(Command command) {
    try {
        command();
    } catch (const FileError& error) {
        m_prompts.Error(this, QString::fromStdString(error.fileName()) + "\n\n" +
                                  QString::fromStdString(error.reason()));
    }
}

void MainDialog::Dispatch(int commandId) {
    for (const CommandEntry& entry : kCommandTable) {
        if (entry.id == commandId) {
            ReportFileErrors([this, &entry] { (this->*entry.handler)(); });
            return;
        }
    }
}

void MainDialog::OpenFileAtStart(const QString& path) {
    ReportFileErrors([this, &path] { OpenDictionary(path); });
}

void MainDialog::UpdateData(bool saveAndValidate) {
    if (saveAndValidate) {
        return;  // the labels are never edited by the user
    }
    const QString* texts[] = {&m_width, &m_height,     &m_bpp,         &m_comp,      &m_mipMaps,
                              &m_alpha, &m_alphaFlags, &m_filterFlags, &m_fileLabel, &m_imageLabel};
    for (std::size_t i = 0; i < std::size(texts); ++i) {
        m_valueLabels[i]->setText(*texts[i]);
    }
}

TextureRecord* MainDialog::SelectedRecord() const {
    QListWidgetItem* item = m_textureList->currentItem();
    return item ? static_cast<TextureRecord*>(item->data(Qt::UserRole).value<void*>()) : nullptr;
}

QString MainDialog::SelectedName() const {
    QListWidgetItem* item = m_textureList->currentItem();
    return item ? item->text() : QString();
}

void MainDialog::OnFileOpen() {
    if (m_modified && !ConfirmDiscardOrSave()) {
        return;
    }
    const QString path = m_prompts.OpenFileName(this, "TXD File (*.txd)|*txd|All Files (*.*)|*.*||",
                                                ".txd", QString());
    if (!path.isEmpty()) {
        OpenDictionary(path);
    }
}

void MainDialog::OpenDictionary(const QString& path) {
    const QFileInfo file(path);
    // Read and check everything first: a file that fails leaves the open dictionary as it was.
    // What was read can only be newer than the identity taken before it, never older.
    const FileIdentity opened = IdentityOf(file.absoluteFilePath().toStdString());
    std::vector<TextureEntry> textures = ReadDictionary(file.absoluteFilePath().toStdString());
    QDir::setCurrent(file.absolutePath());
    g_txdPath = file.absoluteFilePath();
    m_fileLabel = "File: " + file.fileName();
    m_imageLabel.clear();
    m_picture->clear();
    m_textureList->clear();
    m_textures = std::move(textures);
    m_opened = opened;
    m_modified = false;
    for (std::size_t i = 0; i < m_textures.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_textures[i].name));
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(&m_textures[i].record)));
        m_textureList->insertItem(static_cast<int>(i), item);
    }
    m_textureList->setFocus();
    m_textureList->setCurrentRow(0);
    OnDblclkTextureList();
}

void MainDialog::ShowPicture(const PreviewPicture& picture) {
    switch (picture.change) {
        case PreviewPicture::Change::Keep:
            break;
        case PreviewPicture::Change::Clear:
            m_picture->clear();
            break;
        case PreviewPicture::Change::Show: {
            const Image& image = picture.image;
            QImage view(reinterpret_cast<const uchar*>(image.pixels.data()),
                        static_cast<int>(image.width), static_cast<int>(image.height),
                        static_cast<qsizetype>(image.width) * 4, QImage::Format_RGB32);
            // The pixmap may share the image's memory, which the preview's image owns: copy it.
            m_picture->setPixmap(QPixmap::fromImage(view.copy()));
            break;
        }
    }
}

void MainDialog::OnDblclkTextureList() {
    QString* values[] = {&m_width,   &m_height, &m_bpp,        &m_comp,
                         &m_mipMaps, &m_alpha,  &m_alphaFlags, &m_filterFlags};
    const TextureRecord* record = SelectedRecord();
    if (record == nullptr) {
        m_picture->clear();
        for (QString* value : values) {
            value->clear();
        }
        UpdateData(false);
        return;
    }
    ShowPicture(RenderPreview(*record, m_gfx));
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
    m_imageLabel = "Image: " + SelectedName();
    UpdateData(false);
}

void MainDialog::OnFileSave() {
    if (m_textureList->count() > 0) {
        SaveUnderLock();
    }
    UpdateData(false);
}

void MainDialog::SaveUnderLock() {
    try {
        const DictionaryLock lock(g_txdPath.toStdString());
        m_opened = SaveDictionary(lock, m_opened, m_textures, m_gfx);
    } catch (const ChangedOnDiskError&) {
        if (m_prompts.AskReopenChanged(this, QFileInfo(g_txdPath).fileName())) {
            OpenDictionary(g_txdPath);
        }
        return;
    }
    m_modified = false;
    m_prompts.Message(this, "File Saved");
}

void MainDialog::OnFileExit() {
    close();
}

bool MainDialog::ConfirmDiscardOrSave() {
    switch (m_prompts.AskSaveChanges(this, QFileInfo(g_txdPath).fileName())) {
        case Prompts::SaveChoice::Discard:
            return true;
        case Prompts::SaveChoice::Cancel:
            return false;
        case Prompts::SaveChoice::Save:
            Dispatch(command::kFileSave);
            return !m_modified;
    }
    return false;
}

void MainDialog::closeEvent(QCloseEvent* event) {
    if (m_modified && !ConfirmDiscardOrSave()) {
        event->ignore();
        return;
    }
    accept();
    event->accept();
}

void MainDialog::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape would end a dialog; here they must not throw away the user's work.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void MainDialog::OnImageImport() {
    if (m_textureList->count() == 0) {
        return;
    }
    TextureRecord* record = SelectedRecord();
    const std::string name = SelectedName().toStdString();
    if (record != nullptr) {
        if (const auto dialog = ImportDialogFor(name, *record)) {
            const QString chosen =
                m_prompts.OpenFileName(this, QString::fromStdString(dialog->filter),
                                       QString::fromStdString(dialog->defaultExtension),
                                       QString::fromStdString(dialog->initialName));
            if (!chosen.isEmpty()) {
                const QFileInfo file(chosen);
                QDir::setCurrent(file.absolutePath());
                const ImportOutcome outcome =
                    ImportTexture(*record, file.fileName().toStdString(), m_gfx);
                if (const auto message = ImportMessageFor(outcome)) {
                    m_modified = true;
                    m_prompts.Message(this,
                                      QString::fromUtf8(message->data(),
                                                        static_cast<qsizetype>(message->size())));
                }
            }
        }
    }
    UpdateData(false);
}

void MainDialog::OnImageExport() {
    if (m_textureList->count() > 0) {
        if (const TextureRecord* record = SelectedRecord()) {
            if (ExportTexture(SelectedName().toStdString(), *record, m_gfx) ==
                ExportOutcome::Exported) {
                m_prompts.Message(this, kFileExportedMessage);
            }
        }
    }
    UpdateData(false);
}

void MainDialog::ConvertAll(bool (*convert)(TextureRecord&)) {
    if (m_textureList->count() == 0) {
        return;
    }
    for (TextureEntry& entry : m_textures) {
        m_modified = convert(entry.record) || m_modified;
    }
    OnDblclkTextureList();
}

void MainDialog::OnImageSwizzleAll() {
    ConvertAll(SwizzleTexture);
}

void MainDialog::OnImageUnswizzleAll() {
    ConvertAll(UnswizzleTexture);
}

void MainDialog::OnImageFlip() {
    if (m_textureList->count() == 0) {
        return;
    }
    if (TextureRecord* record = SelectedRecord()) {
        m_modified = FlipTexture(*record) || m_modified;
    }
    OnDblclkTextureList();
}

void MainDialog::SetAlphaOfSelection(bool yes) {
    if (m_textureList->count() == 0) {
        return;
    }
    if (TextureRecord* record = SelectedRecord()) {
        m_modified = m_modified || record->hasAlpha != (yes ? 1u : 0u);
        SetAlpha(*record, yes);
        m_alpha = yes ? "Yes" : "No";
    }
    UpdateData(false);
}

void MainDialog::OnAlphaSetAlphaToYes() {
    SetAlphaOfSelection(true);
}

void MainDialog::OnAlphaSetAlphaToNo() {
    SetAlphaOfSelection(false);
}

void MainDialog::OnHelpAbout() {
    AboutDialog about(this);
    about.exec();
}
