// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFileInfo>
#include <QListWidget>

#include "app/MainDialog.h"
#include "app/Prompts.h"
#include "exchange/ExchangeMessages.h"
#include "exchange/ExportAs.h"
#include "exchange/ImportFrom.h"
#include "fileio/FileError.h"

namespace tinplate {

namespace {

constexpr const char* kExportAsFilters =
    "PNG image (*.png);;Targa image (*.tga);;DDS texture (*.dds);;BMP image (*.bmp)";
constexpr const char* kPictureFilter =
    "Pictures (*.png *.tga *.bmp *.jpg *.jpeg *.dds)|*.png *.tga *.bmp *.jpg *.jpeg *.dds|"
    "All Files (*.*)|*.*||";

}  // namespace

void MainDialog::OnImageExportAs() {
    const TextureRecord* record = m_textureList->count() > 0 ? SelectedRecord() : nullptr;
    if (record != nullptr && HasPicture(*record)) {
        const QString chosen =
            m_prompts.SaveFileName(this, kExportAsFilters, SelectedName() + ".png");
        if (!chosen.isEmpty()) {
            const auto format = PictureFormatNamed(QFileInfo(chosen).suffix().toStdString());
            if (!format) {
                throw FileError(chosen.toStdString(),
                                "the name must end in .png, .tga, .dds or .bmp");
            }
            ExportTextureAs(*record, chosen.toStdString(), *format);
            m_prompts.Message(this, tr(std::string(kFileExportedMessage).c_str()));
        }
    }
    UpdateData(false);
}

void MainDialog::OnImageImportFrom() {
    TextureRecord* record = m_textureList->count() > 0 ? SelectedRecord() : nullptr;
    if (record != nullptr && HasPicture(*record)) {
        const QString chosen = m_prompts.OpenFileName(this, kPictureFilter, QString(), QString());
        if (!chosen.isEmpty()) {
            UndoableEdit(
                tr("Import From"), {static_cast<std::size_t>(m_textureList->currentRow())},
                [&] { ImportPictureFile(*record, chosen.toStdString(), PictureImportOptions{}); });
            m_prompts.Message(this, tr(std::string(kFileImportedMessage).c_str()));
            OnDblclkTextureList();
            return;
        }
    }
    UpdateData(false);
}

}  // namespace tinplate
