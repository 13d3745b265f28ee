// SPDX-License-Identifier: GPL-3.0-or-later
// The texture panel's picture area: the shown texture at each level, stored or as the game
// draws it.
#include <QComboBox>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <memory>

#include "app/FileErrorReport.h"
#include "app/LevelImage.h"
#include "app/PreviewView.h"
#include "app/TextureDocument.h"
#include "app/TexturePanel.h"
#include "preview/Preview.h"
#include "txd/LevelChain.h"

namespace tinplate {

void TexturePanel::ShowGamePicture(bool shown) {
    m_gamePicture = shown;
    ReportFileErrors(m_prompts, window(),
                     [this] { ShowLevel(std::max(0, m_levelSelector->currentIndex())); });
}

bool TexturePanel::ShowsSwizzledTexels() const {
    const TextureDocument::TextureList& textures = m_document.Textures();
    if (m_gamePicture || m_shownRow < 0 ||
        static_cast<std::size_t>(m_shownRow) >= textures.size()) {
        return false;
    }
    const TextureRecord& record = textures[static_cast<std::size_t>(m_shownRow)].record;
    return IsSwizzled(m_levelSelector->currentIndex() > 0 ? record.order : record.firstLevelOrder);
}

void TexturePanel::ShowGameLevel(const TextureRecord& record, int level) {
    const GameLevelImages images = RenderGameLevel(record, static_cast<std::size_t>(level));
    if (images.standard.isNull()) {
        m_picture->Clear();
        return;
    }
    m_picture->Show(QPixmap::fromImage(images.standard), [full = images.full] { return full; });
}

void TexturePanel::ShowTexture(const TextureRecord& record, int level) {
    if (m_gamePicture) {
        ShowGameLevel(record, level);
    } else if (level <= 0) {
        ShowPicture(record);
    } else if (const auto levelRecord = LevelRecord(record, static_cast<std::size_t>(level))) {
        ShowPicture(*levelRecord);
    } else {
        m_picture->Clear();
    }
}

void TexturePanel::ShowPicture(const TextureRecord& record) {
    const PreviewPicture picture = RenderPreview(record, m_gfx);
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
                ReportFileErrors(m_prompts, window(), [&] { full = RenderFullSize(*copy); });
                return full;
            };
            m_picture->Show(QPixmap::fromImage(view.copy()), source);
            break;
        }
    }
}

void TexturePanel::ShowLevel(int level) {
    const TextureDocument::TextureList& textures = m_document.Textures();
    if (m_shownRow < 0 || static_cast<std::size_t>(m_shownRow) >= textures.size()) {
        return;
    }
    ShowTexture(textures[static_cast<std::size_t>(m_shownRow)].record, level);
    UpdateStatus();
}

}  // namespace tinplate
