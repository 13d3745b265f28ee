// SPDX-License-Identifier: GPL-3.0-or-later
// The Image and Alpha menus' handlers: exchange with picture files and in-place pixel edits.
#include "app/ImageCommands.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QListWidget>
#include <QWidget>
#include <numeric>
#include <string>
#include <vector>

#include "app/CommandTable.h"
#include "app/DictionaryPlatform.h"
#include "app/FileFilters.h"
#include "app/Prompts.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/Export.h"
#include "exchange/ExportAs.h"
#include "exchange/Import.h"
#include "exchange/ImportDialog.h"
#include "exchange/ImportFrom.h"
#include "fileio/FileError.h"
#include "pixelops/AlphaFlag.h"
#include "pixelops/Flip.h"
#include "pixelops/Swizzle.h"

namespace tinplate {
namespace {

QString Translated(std::string_view message) {
    return QCoreApplication::translate("MainDialog", std::string(message).c_str());
}

}  // namespace

ImageCommands::ImageCommands(const CommandContext& context)
    : QObject(&context.window), m_context(context) {
    CommandTable& table = m_context.commands;
    table.Register(command::kImageImport, [this] { OnImageImport(); });
    table.Register(command::kImageExport, [this] { OnImageExport(); });
    table.Register(command::kImageUnswizzleAll, [this] { OnImageUnswizzleAll(); });
    table.Register(command::kImageSwizzleAll, [this] { OnImageSwizzleAll(); });
    table.Register(command::kImageFlip, [this] { OnImageFlip(); });
    table.Register(command::kImageExportAs, [this] { OnImageExportAs(); });
    table.Register(command::kImageImportFrom, [this] { OnImageImportFrom(); });
    table.Register(command::kAlphaSetAlphaToYes, [this] { OnAlphaSetAlphaToYes(); });
    table.Register(command::kAlphaSetAlphaToNo, [this] { OnAlphaSetAlphaToNo(); });
}

void ImageCommands::OnImageImport() {
    TexturePanel& panel = m_context.panel;
    const TextureRecord* record = panel.List().count() > 0 ? panel.SelectedRecord() : nullptr;
    if (record == nullptr) {
        return;
    }
    if (const auto dialog = ImportDialogFor(panel.SelectedName().toStdString(), *record)) {
        const QString chosen = m_context.prompts.OpenFileName(
            &m_context.window, QString::fromStdString(dialog->filter),
            QString::fromStdString(dialog->defaultExtension),
            QString::fromStdString(dialog->initialName));
        if (!chosen.isEmpty()) {
            ImportInto(panel.CurrentRow(), chosen);
        }
    }
}

// The picture's folder becomes the export folder, as for any file the user picks to work with.
void ImageCommands::ImportInto(int row, const QString& path) {
    const QFileInfo file(path);
    m_context.document.SetFolder(file.absolutePath());
    const auto at = static_cast<std::size_t>(row);
    TextureRecord& record = m_context.document.RecordAt(at);
    ImportOutcome outcome = ImportOutcome::Declined;
    m_context.document.EditRecords(tr("Import"), {at}, [&] {
        outcome = ImportTexture(record, file.absoluteFilePath().toStdString(), m_context.gfx);
    });
    if (const auto message = ImportMessageFor(outcome)) {
        m_context.prompts.Message(&m_context.window, Translated(*message));
    }
}

void ImageCommands::OnImageExport() {
    TexturePanel& panel = m_context.panel;
    const TextureRecord* record = panel.List().count() > 0 ? panel.SelectedRecord() : nullptr;
    if (record != nullptr &&
        ExportTexture(m_context.document.Folder().toStdString(), panel.SelectedName().toStdString(),
                      *record, m_context.gfx) == ExportOutcome::Exported) {
        m_context.prompts.Message(&m_context.window, Translated(kFileExportedMessage));
    }
}

void ImageCommands::ConvertAll(bool (*convert)(TextureRecord&), const QString& text, bool linear) {
    TextureDocument& document = m_context.document;
    // The menu entries are disabled on a PC dictionary; this keeps any other way in as safe.
    if (m_context.panel.List().count() == 0 ||
        !SwizzlesInMortonOrder(DictionaryPlatform(document.Textures()))) {
        return;
    }
    std::vector<std::size_t> rows(document.Textures().size());
    std::iota(rows.begin(), rows.end(), 0);
    document.EditRecords(
        text, rows,
        [&] {
            for (std::size_t row : rows) {
                convert(document.RecordAt(row));
            }
        },
        linear);
    m_context.panel.ShowSelectedTexture();
}

void ImageCommands::OnImageSwizzleAll() {
    ConvertAll(SwizzleTexture, tr("Swizzle All"), false);
}

void ImageCommands::OnImageUnswizzleAll() {
    ConvertAll(UnswizzleTexture, tr("Unswizzle All"), true);
}

void ImageCommands::OnImageFlip() {
    TexturePanel& panel = m_context.panel;
    if (panel.List().count() == 0) {
        return;
    }
    if (TextureRecord* record = panel.SelectedRecord()) {
        m_context.document.EditRecords(tr("Flip"), {static_cast<std::size_t>(panel.CurrentRow())},
                                       [record] { FlipTexture(*record); });
    }
    panel.ShowSelectedTexture();
}

void ImageCommands::SetAlphaOfSelection(bool yes) {
    TexturePanel& panel = m_context.panel;
    if (panel.List().count() == 0) {
        return;
    }
    if (TextureRecord* record = panel.SelectedRecord()) {
        m_context.document.EditRecords(yes ? tr("Set Alpha To Yes") : tr("Set Alpha To No"),
                                       {static_cast<std::size_t>(panel.CurrentRow())},
                                       [record, yes] { SetAlpha(*record, yes); });
        panel.ShowAlpha(yes);
    }
}

void ImageCommands::OnAlphaSetAlphaToYes() {
    SetAlphaOfSelection(true);
}

void ImageCommands::OnAlphaSetAlphaToNo() {
    SetAlphaOfSelection(false);
}

void ImageCommands::OnImageExportAs() {
    TexturePanel& panel = m_context.panel;
    const TextureRecord* record = panel.List().count() > 0 ? panel.SelectedRecord() : nullptr;
    if (record == nullptr || !HasPicture(*record)) {
        return;
    }
    const QString chosen = m_context.prompts.SaveFileName(&m_context.window, kExportAsFilters,
                                                          panel.SelectedName() + ".png");
    if (chosen.isEmpty()) {
        return;
    }
    const auto format = PictureFormatNamed(QFileInfo(chosen).suffix().toStdString());
    if (!format) {
        throw FileError(chosen.toStdString(), "the name must end in .png, .tga, .dds or .bmp");
    }
    ExportTextureAs(*record, chosen.toStdString(), *format);
    m_context.prompts.Message(&m_context.window, Translated(kFileExportedMessage));
}

void ImageCommands::OnImageImportFrom() {
    TexturePanel& panel = m_context.panel;
    TextureRecord* record = panel.List().count() > 0 ? panel.SelectedRecord() : nullptr;
    if (record == nullptr || !HasPicture(*record)) {
        return;
    }
    const QString chosen =
        m_context.prompts.OpenFileName(&m_context.window, kPictureFilter, QString(), QString());
    if (chosen.isEmpty()) {
        return;
    }
    m_context.document.EditRecords(
        tr("Import From"), {static_cast<std::size_t>(panel.CurrentRow())},
        [&] { ImportPictureFile(*record, chosen.toStdString(), PictureImportOptions{}); });
    m_context.prompts.Message(&m_context.window, Translated(kFileImportedMessage));
    panel.ShowSelectedTexture();
}

void ImageCommands::DropOnTexture(const QString& path, const QPoint& position) {
    QListWidget& list = m_context.panel.List();
    QListWidgetItem* item = list.itemAt(list.viewport()->mapFrom(&m_context.window, position));
    const QString fileName = QFileInfo(path).fileName();
    if (item == nullptr) {
        m_context.prompts.Error(&m_context.window,
                                tr("%1\n\nDrop a picture on a texture in the list to import it, "
                                   "or a .txd file anywhere to open it.")
                                    .arg(fileName));
        return;
    }
    const int row = list.row(item);
    list.setCurrentRow(row);
    const auto dialog =
        ImportDialogFor(item->text().toStdString(),
                        m_context.document.Textures().at(static_cast<std::size_t>(row)).record);
    if (!dialog) {
        m_context.prompts.Error(&m_context.window,
                                tr("%1\n\nTexture \"%2\" is of a kind that cannot be imported.")
                                    .arg(fileName, item->text()));
        return;
    }
    const QString extension = QString::fromStdString(dialog->defaultExtension);
    if (!fileName.endsWith(extension, Qt::CaseInsensitive)) {
        m_context.prompts.Error(&m_context.window,
                                tr("%1\n\nTexture \"%2\" is imported from a %3 file.")
                                    .arg(fileName, item->text(), extension.mid(1).toUpper()));
        return;
    }
    ImportInto(row, path);
}

}  // namespace tinplate
