// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainDialog.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QMimeData>
#include <QPixmap>
#include <QStatusBar>
#include <QUndoStack>
#include <QVBoxLayout>
#include <map>
#include <memory>
#include <numeric>

#include "AboutDialog.h"
#include "AlphaFlag.h"
#include "Artwork.h"
#include "CommandTable.h"
#include "DialogLayout.h"
#include "DictionaryLock.h"
#include "DictionaryReader.h"
#include "DictionarySave.h"
#include "DictionaryWriter.h"
#include "EditorSettings.h"
#include "ExchangeMessages.h"
#include "Export.h"
#include "FieldTexts.h"
#include "FileDrop.h"
#include "FileError.h"
#include "Flip.h"
#include "GrowingCanvas.h"
#include "Import.h"
#include "ImportDialog.h"
#include "LevelChain.h"
#include "LevelImage.h"
#include "Preview.h"
#include "PreviewView.h"
#include "Prompts.h"
#include "RecentFiles.h"
#include "StatusSummary.h"
#include "Swizzle.h"

QString g_txdPath;

namespace {

constexpr const char* kTitle = "TXD Tinplate v1.03";
// Older edits are dropped beyond this many: each keeps a copy of the bytes it changed.
constexpr int kUndoLimit = 32;
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

constexpr std::pair<int, Zoom> kZoomCommands[] = {
    {command::kViewZoomStandard, Zoom::Standard}, {command::kViewZoomFit, Zoom::Fit},
    {command::kViewZoom100, Zoom::Percent100},    {command::kViewZoom200, Zoom::Percent200},
    {command::kViewZoom400, Zoom::Percent400},    {command::kViewZoom800, Zoom::Percent800},
};
constexpr std::pair<int, Channels> kChannelCommands[] = {
    {command::kViewColour, Channels::Colour},
    {command::kViewCheckerboard, Channels::Checkerboard},
    {command::kViewAlphaChannel, Channels::Alpha},
};

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

QString Translated(std::string_view message) {
    return QCoreApplication::translate("MainDialog", std::string(message).c_str());
}

}  // namespace

MainDialog::MainDialog(Prompts& prompts, GfxBinding& gfx, QWidget* parent)
    : QDialog(parent),
      m_prompts(prompts),
      m_gfx(gfx),
      m_undoStack(new QUndoStack(this)),
      m_hIcon(ApplicationIcon()) {
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setWindowIcon(m_hIcon);
    setAcceptDrops(true);
    m_undoStack->setUndoLimit(kUndoLimit);
    connect(m_undoStack, &QUndoStack::cleanChanged, this,
            [this](bool clean) { setWindowModified(!clean); });
    BuildControls();
    BuildMenus();
    BuildStatusBar();
    UpdateTitle();
    UpdateStatus();
}

MainDialog::~MainDialog() = default;

void MainDialog::BuildControls() {
    const DialogLayout layout(fontMetrics());
    auto* canvas = new GrowingCanvas(layout.ToPixels(0, 0, 339, 212).size(), this);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(canvas, 1);

    m_textureList = new QListWidget(canvas);
    m_textureList->setObjectName("textureList");
    m_textureList->setAccessibleName(tr("Textures"));
    m_textureList->setSelectionMode(QAbstractItemView::SingleSelection);
    canvas->Place(m_textureList, layout.ToPixels(7, 14, 151, 158), kListColumn);
    connect(m_textureList, &QListWidget::itemDoubleClicked, this,
            [this] { Dispatch(command::kTextureListDoubleClick); });
    connect(m_textureList, &QListWidget::currentRowChanged, this, [this] { UpdateStatus(); });
    // Rename edits the name in place; no click or key starts an edit on its own.
    m_textureList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // The rename runs once the editor has let go of the item, which filling the list deletes.
    connect(m_textureList, &QListWidget::itemChanged, this, [this](QListWidgetItem* item) {
        if (!m_fillingList) {
            QMetaObject::invokeMethod(
                this,
                [this, row = m_textureList->row(item), name = item->text()] {
                    ReportFileErrors([&] { RenameFromList(row, name); });
                },
                Qt::QueuedConnection);
        }
    });
    m_textureList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_textureList, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        m_textureMenu->popup(m_textureList->viewport()->mapToGlobal(at));
    });

    m_picture = new PreviewView(canvas);
    canvas->Place(m_picture, layout.ToPixels(161, 14, 171, 158), kPictureColumn);
    m_picture->Show(PlaceholderBitmap(), nullptr);
    m_picture->onWheelZoom = [this](int step) {
        Dispatch(step > 0 ? command::kViewZoomIn : command::kViewZoomOut);
    };

    auto* frame = new QGroupBox(canvas);
    canvas->Place(frame, layout.ToPixels(7, 172, 325, 34), {0, 1, 1, 0});
    frame->lower();

    for (std::size_t i = 0; i < std::size(kValues); ++i) {
        const Growth growth = i == kFileLabel    ? Growth{0, kListShare, 0, 0}
                              : i == kImageLabel ? Growth{kListShare, 1 - kListShare, 0, 0}
                                                 : kFieldRow;
        m_valueLabels.push_back(PlaceLabel(canvas, layout, kValues[i], growth));
    }
    for (std::size_t i = 0; i < std::size(kCaptions); ++i) {
        QLabel* caption = PlaceLabel(canvas, layout, kCaptions[i], kFieldRow);
        caption->setBuddy(m_valueLabels[i]);
        m_valueLabels[i]->setAccessibleDescription(caption->text());
        m_valueLabels[i]->setObjectName(kCaptions[i].text);
    }
    m_valueLabels[kFileLabel]->setObjectName("fileLabel");
    m_valueLabels[kImageLabel]->setObjectName("imageLabel");
}

void MainDialog::BuildMenus() {
    auto* menuBar = new QMenuBar(this);
    layout()->setMenuBar(menuBar);
    std::map<int, QActionGroup*> groups;
    for (const MenuPopup& popup : kMenus) {
        QMenu* menu = menuBar->addMenu(QCoreApplication::translate("Menu", popup.title));
        if (std::string_view(popup.title) == "&Texture") {
            m_textureMenu = menu;
        }
        for (const MenuItem& item : popup.items) {
            if (item.id == 0) {
                break;
            }
            const QString text = QCoreApplication::translate("Menu", item.text);
            if (item.id == command::kSeparator) {
                menu->addSeparator();
                continue;
            }
            if (item.id == command::kOpenRecentMenu) {
                menu->addMenu(text)->setObjectName("openRecent");
                continue;
            }
            QAction* action = menu->addAction(text);
            action->setData(item.id);
            if (item.shortcut != nullptr) {
                action->setShortcuts(QKeySequence::listFromString(item.shortcut));
            }
            if (item.group != 0) {
                QActionGroup*& group = groups[item.group];
                group = group != nullptr ? group : new QActionGroup(this);
                action->setCheckable(true);
                group->addAction(action);
            }
            connect(action, &QAction::triggered, this, [this, id = item.id] { Dispatch(id); });
            if (item.id == command::kEditUndo || item.id == command::kEditRedo) {
                const bool undo = item.id == command::kEditUndo;
                action->setEnabled(false);
                connect(m_undoStack,
                        undo ? &QUndoStack::canUndoChanged : &QUndoStack::canRedoChanged, action,
                        &QAction::setEnabled);
                connect(m_undoStack,
                        undo ? &QUndoStack::undoTextChanged : &QUndoStack::redoTextChanged, action,
                        [action, text](const QString& what) {
                            action->setText(what.isEmpty() ? text : text + ' ' + what);
                        });
            }
        }
    }
    // Filled when shown, never while one of its entries runs: filling deletes the entries.
    QMenu* recent = findChild<QMenu*>("openRecent");
    const auto fillRecent = [this, recent] {
        recent_files::FillMenu(*recent, [this](const QString& path) { OpenAfterAsking(path); });
    };
    connect(recent, &QMenu::aboutToShow, this, fillRecent);
    fillRecent();
    UpdateViewChecks();
}

void MainDialog::BuildStatusBar() {
    auto* bar = new QStatusBar(this);
    m_statusText = new QLabel(bar);
    m_statusText->setObjectName("statusText");
    bar->addWidget(m_statusText, 1);
    m_levelSelector = new QComboBox(bar);
    m_levelSelector->setObjectName("levelSelector");
    m_levelSelector->setAccessibleName(tr("Mip level"));
    m_levelSelector->setEnabled(false);
    m_levelSelector->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    bar->addPermanentWidget(m_levelSelector);
    connect(m_levelSelector, &QComboBox::activated, this,
            [this](int level) { ReportFileErrors([this, level] { ShowLevel(level); }); });
    layout()->addWidget(bar);
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

void MainDialog::OpenAfterAsking(const QString& path) {
    if (IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    ReportFileErrors([this, &path] { OpenDictionary(path); });
}

bool MainDialog::IsModified() const {
    return !m_undoStack->isClean();
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
    if (IsModified() && !ConfirmDiscardOrSave()) {
        return;
    }
    const QString path = m_prompts.OpenFileName(
        this, tr("TXD File (*.txd)") + "|*.txd|" + tr("All Files (*.*)") + "|*.*||", ".txd",
        QString());
    if (!path.isEmpty()) {
        OpenDictionary(path);
    }
}

void MainDialog::OpenDictionary(const QString& path) {
    const QFileInfo file(path);
    // Read and check everything first: a file that fails leaves the open dictionary as it was.
    // What was read can only be newer than the identity taken before it, never older.
    const FileIdentity opened = IdentityOf(file.absoluteFilePath().toStdString());
    // The window keeps a dictionary open for as long as the user likes: its bytes are held in
    // memory, so that another program changing the file cannot change or fault them.
    MappedDictionary read =
        ReadMappedDictionary(file.absoluteFilePath().toStdString(), Residence::InMemory);
    QDir::setCurrent(file.absolutePath());
    g_txdPath = file.absoluteFilePath();
    m_fileLabel = tr("File: ") + file.fileName();
    m_imageLabel.clear();
    m_picture->Clear();
    m_shownRow = -1;
    m_undoStack->clear();
    m_textures = std::move(read.textures);
    m_original = std::move(read.file);
    m_opened = opened;
    m_savedWhole = false;
    m_untitled = false;
    recent_files::Add(g_txdPath);
    EditorSettings().setValue(EditorSettings::kLastFolder, file.absolutePath());
    UpdateTitle();
    m_textureList->setFocus();
    FillList(0);
}

void MainDialog::FillList(int row) {
    m_fillingList = true;
    m_textureList->clear();
    for (std::size_t i = 0; i < m_textures.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(m_textures[i].name));
        item->setData(Qt::UserRole, QVariant::fromValue(static_cast<void*>(&m_textures[i].record)));
        item->setFlags(item->flags() | Qt::ItemIsEditable);
        m_textureList->insertItem(static_cast<int>(i), item);
    }
    m_fillingList = false;
    m_textureList->setCurrentRow(row);
    UpdateStatus();
    OnDblclkTextureList();
}

void MainDialog::ShowPicture(const PreviewPicture& picture, const TextureRecord& record) {
    switch (picture.change) {
        case PreviewPicture::Change::Keep:
            break;
        case PreviewPicture::Change::Clear:
            m_picture->Clear();
            break;
        case PreviewPicture::Change::Show: {
            const Image& image = picture.image;
            QImage view(reinterpret_cast<const uchar*>(image.pixels.data()),
                        static_cast<int>(image.width), static_cast<int>(image.height),
                        static_cast<qsizetype>(image.width) * 4, QImage::Format_RGB32);
            // The full-size picture is made from a copy: the record may change before a view
            // asks for it. The pixmap may share the image's memory, which the preview owns.
            auto source = [this, copy = std::make_shared<TextureRecord>(record)] {
                QImage full;
                ReportFileErrors([&] { full = RenderFullSize(*copy); });
                return full;
            };
            m_picture->Show(QPixmap::fromImage(view.copy()), source);
            break;
        }
    }
}

void MainDialog::OnDblclkTextureList() {
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
        return;
    }
    ShowPicture(RenderPreview(*record, m_gfx), *record);
    m_shownRow = m_textureList->currentRow();
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
}

void MainDialog::ShowLevel(int level) {
    if (m_shownRow < 0 || static_cast<std::size_t>(m_shownRow) >= m_textures.size()) {
        return;
    }
    const TextureRecord& record = m_textures[static_cast<std::size_t>(m_shownRow)].record;
    if (level <= 0) {
        ShowPicture(RenderPreview(record, m_gfx), record);
        return;
    }
    const auto levelRecord = LevelRecord(record, static_cast<std::size_t>(level));
    if (!levelRecord) {
        m_picture->Clear();
        return;
    }
    ShowPicture(RenderPreview(*levelRecord, m_gfx), *levelRecord);
}

void MainDialog::OnFileSave() {
    if (m_untitled) {
        OnFileSaveAs();
    } else if (m_textureList->count() > 0 || (HasDictionary() && IsModified())) {
        SaveUnderLock();
    }
    UpdateData(false);
}

std::span<const std::uint8_t> MainDialog::OriginalBytes() const {
    return m_original ? m_original->bytes() : std::span<const std::uint8_t>();
}

// A dictionary whose blocks still lie where they were read is saved in place, as it always
// was; any other is written whole, and so is every later save of the file then written.
void MainDialog::SaveUnderLock() {
    try {
        const DictionaryLock lock(g_txdPath.toStdString());
        if (m_savedWhole || IsRestructured(OriginalBytes(), m_textures)) {
            m_opened = RewriteWholeDictionary(lock, m_opened, OriginalBytes(), m_textures);
            m_savedWhole = true;
        } else {
            m_opened = SaveDictionary(lock, m_opened, OriginalBytes(), m_textures, m_gfx);
        }
    } catch (const ChangedOnDiskError&) {
        if (m_prompts.AskReopenChanged(this, QFileInfo(g_txdPath).fileName())) {
            OpenDictionary(g_txdPath);
        }
        return;
    }
    m_undoStack->setClean();
    m_prompts.Message(this, tr("File Saved"));
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
            return !IsModified();
    }
    return false;
}

void MainDialog::closeEvent(QCloseEvent* event) {
    if (IsModified() && !ConfirmDiscardOrSave()) {
        event->ignore();
        return;
    }
    SaveViewState();
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

void MainDialog::UndoableEdit(const QString& text, const std::vector<std::size_t>& rows,
                              const std::function<void()>& edit) {
    std::vector<std::pair<std::size_t, RecordBytes>> before;
    for (std::size_t row : rows) {
        before.emplace_back(row, CopyRecordBytes(m_textures.at(row).record));
    }
    edit();
    auto command = std::make_unique<RecordEditCommand>(static_cast<EditTarget&>(*this), text,
                                                       std::move(before));
    if (!command->Empty()) {
        m_undoStack->push(command.release());
    }
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
                ImportInto(m_textureList->currentRow(), chosen);
            }
        }
    }
    UpdateData(false);
}

void MainDialog::ImportInto(int row, const QString& path) {
    const QFileInfo file(path);
    QDir::setCurrent(file.absolutePath());
    TextureRecord& record = m_textures.at(static_cast<std::size_t>(row)).record;
    ImportOutcome outcome = ImportOutcome::Declined;
    UndoableEdit(tr("Import"), {static_cast<std::size_t>(row)},
                 [&] { outcome = ImportTexture(record, file.fileName().toStdString(), m_gfx); });
    if (const auto message = ImportMessageFor(outcome)) {
        m_prompts.Message(this, Translated(*message));
    }
}

void MainDialog::OnImageExport() {
    if (m_textureList->count() > 0) {
        if (const TextureRecord* record = SelectedRecord()) {
            if (ExportTexture("", SelectedName().toStdString(), *record, m_gfx) ==
                ExportOutcome::Exported) {
                m_prompts.Message(this, Translated(kFileExportedMessage));
            }
        }
    }
    UpdateData(false);
}

void MainDialog::ConvertAll(bool (*convert)(TextureRecord&), const QString& text) {
    if (m_textureList->count() == 0) {
        return;
    }
    std::vector<std::size_t> rows(m_textures.size());
    std::iota(rows.begin(), rows.end(), 0);
    UndoableEdit(text, rows, [&] {
        for (TextureEntry& entry : m_textures) {
            convert(entry.record);
        }
    });
    OnDblclkTextureList();
}

void MainDialog::OnImageSwizzleAll() {
    ConvertAll(SwizzleTexture, tr("Swizzle All"));
}

void MainDialog::OnImageUnswizzleAll() {
    ConvertAll(UnswizzleTexture, tr("Unswizzle All"));
}

void MainDialog::OnImageFlip() {
    if (m_textureList->count() == 0) {
        return;
    }
    if (TextureRecord* record = SelectedRecord()) {
        UndoableEdit(tr("Flip"), {static_cast<std::size_t>(m_textureList->currentRow())},
                     [record] { FlipTexture(*record); });
    }
    OnDblclkTextureList();
}

void MainDialog::SetAlphaOfSelection(bool yes) {
    if (m_textureList->count() == 0) {
        return;
    }
    if (TextureRecord* record = SelectedRecord()) {
        UndoableEdit(yes ? tr("Set Alpha To Yes") : tr("Set Alpha To No"),
                     {static_cast<std::size_t>(m_textureList->currentRow())},
                     [record, yes] { SetAlpha(*record, yes); });
        m_alpha = yes ? tr("Yes") : tr("No");
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

// Undo and redo show the selected texture again, so picture and fields tell the truth.
void MainDialog::OnEditUndo() {
    if (m_undoStack->canUndo()) {
        m_undoStack->undo();
        OnDblclkTextureList();
    }
}

void MainDialog::OnEditRedo() {
    if (m_undoStack->canRedo()) {
        m_undoStack->redo();
        OnDblclkTextureList();
    }
}

void MainDialog::OnViewZoomStandard() {
    m_picture->SetZoom(Zoom::Standard);
    UpdateViewChecks();
}

void MainDialog::OnViewZoomFit() {
    m_picture->SetZoom(Zoom::Fit);
    UpdateViewChecks();
}

void MainDialog::OnViewZoom100() {
    m_picture->SetZoom(Zoom::Percent100);
    UpdateViewChecks();
}

void MainDialog::OnViewZoom200() {
    m_picture->SetZoom(Zoom::Percent200);
    UpdateViewChecks();
}

void MainDialog::OnViewZoom400() {
    m_picture->SetZoom(Zoom::Percent400);
    UpdateViewChecks();
}

void MainDialog::OnViewZoom800() {
    m_picture->SetZoom(Zoom::Percent800);
    UpdateViewChecks();
}

void MainDialog::OnViewZoomIn() {
    m_picture->ZoomIn();
    UpdateViewChecks();
}

void MainDialog::OnViewZoomOut() {
    m_picture->ZoomOut();
    UpdateViewChecks();
}

void MainDialog::OnViewColour() {
    m_picture->SetChannels(Channels::Colour);
    UpdateViewChecks();
}

void MainDialog::OnViewCheckerboard() {
    m_picture->SetChannels(Channels::Checkerboard);
    UpdateViewChecks();
}

void MainDialog::OnViewAlphaChannel() {
    m_picture->SetChannels(Channels::Alpha);
    UpdateViewChecks();
}

void MainDialog::UpdateViewChecks() {
    for (QAction* action : findChildren<QAction*>()) {
        const int id = action->data().toInt();
        for (const auto& [zoomId, zoom] : kZoomCommands) {
            if (id == zoomId) {
                action->setChecked(zoom == m_picture->zoom());
            }
        }
        for (const auto& [channelId, channels] : kChannelCommands) {
            if (id == channelId) {
                action->setChecked(channels == m_picture->channels());
            }
        }
    }
}

void MainDialog::UpdateTitle() {
    const QString name = m_untitled ? tr("Untitled.txd") : QFileInfo(g_txdPath).fileName();
    setWindowTitle(name.isEmpty() ? QString(kTitle) : tr("%1[*] — %2").arg(name, kTitle));
}

void MainDialog::UpdateStatus() {
    m_statusText->setText(StatusSummary(m_textureList->count(), SelectedRecord()));
}

void MainDialog::SaveViewState() const {
    EditorSettings settings;
    settings.setValue(EditorSettings::kGeometry, saveGeometry());
    settings.setValue(EditorSettings::kZoom, static_cast<int>(m_picture->zoom()));
    settings.setValue(EditorSettings::kChannels, static_cast<int>(m_picture->channels()));
}

void MainDialog::RestoreWindowState() {
    EditorSettings settings;
    restoreGeometry(settings.value(EditorSettings::kGeometry).toByteArray());
    const int zoom = settings.value(EditorSettings::kZoom).toInt();
    for (const auto& [id, value] : kZoomCommands) {
        if (static_cast<int>(value) == zoom) {
            m_picture->SetZoom(value);
        }
    }
    const int channels = settings.value(EditorSettings::kChannels).toInt();
    for (const auto& [id, value] : kChannelCommands) {
        if (static_cast<int>(value) == channels) {
            m_picture->SetChannels(value);
        }
    }
    UpdateViewChecks();
}

void MainDialog::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainDialog::dragMoveEvent(QDragMoveEvent* event) {
    if (!DroppedFile(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void MainDialog::dropEvent(QDropEvent* event) {
    const QString path = DroppedFile(event->mimeData());
    if (path.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    if (IsDictionaryName(path)) {
        OpenAfterAsking(path);
        return;
    }
    const QPoint position = event->position().toPoint();
    ReportFileErrors([&] { DropOnTexture(path, position); });
}

// A picture dropped on a texture is imported into it as Image > Import would import it.
void MainDialog::DropOnTexture(const QString& path, const QPoint& position) {
    QListWidgetItem* item =
        m_textureList->itemAt(m_textureList->viewport()->mapFrom(this, position));
    const QString fileName = QFileInfo(path).fileName();
    if (item == nullptr) {
        m_prompts.Error(this, tr("%1\n\nDrop a picture on a texture in the list to import it, "
                                 "or a .txd file anywhere to open it.")
                                  .arg(fileName));
        return;
    }
    const int row = m_textureList->row(item);
    m_textureList->setCurrentRow(row);
    const std::string name = item->text().toStdString();
    const auto dialog = ImportDialogFor(name, m_textures.at(static_cast<std::size_t>(row)).record);
    if (!dialog) {
        m_prompts.Error(this, tr("%1\n\nTexture \"%2\" is of a kind that cannot be imported.")
                                  .arg(fileName, item->text()));
        return;
    }
    const QString extension = QString::fromStdString(dialog->defaultExtension);
    if (!fileName.endsWith(extension, Qt::CaseInsensitive)) {
        m_prompts.Error(this, tr("%1\n\nTexture \"%2\" is imported from a %3 file.")
                                  .arg(fileName, item->text(), extension.mid(1).toUpper()));
        return;
    }
    ImportInto(row, path);
}
