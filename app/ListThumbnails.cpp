// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the thumbnails of the texture list in step with the document.
#include "app/ListThumbnails.h"

#include <QFontMetrics>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTimer>

#include "app/TextureDocument.h"
#include "app/ThumbnailMaker.h"

namespace tinplate {
namespace {

constexpr int kThumbnailSide = 64;

}  // namespace

ListThumbnails::ListThumbnails(TextureDocument& document, QListWidget& list, QObject* parent)
    : QObject(parent),
      m_document(document),
      m_list(list),
      m_maker(new ThumbnailMaker(QSize(kThumbnailSide, kThumbnailSide), this)) {
    m_maker->setObjectName("thumbnailMaker");
    connect(m_maker, &ThumbnailMaker::Made, this, &ListThumbnails::Place);
    connect(&m_document, &TextureDocument::opened, this, [this] {
        m_maker->Forget();
        m_icons.clear();
    });
    connect(&m_document, &TextureDocument::textureChanged, this, &ListThumbnails::Request);
}

void ListThumbnails::SetShown(bool shown) {
    if (shown == m_shown) {
        return;
    }
    m_shown = shown;
    if (!shown) {
        m_maker->Forget();
        m_icons.clear();
        const QSignalBlocker quiet(&m_list);
        for (int row = 0; row < m_list.count(); ++row) {
            m_list.item(row)->setIcon(QIcon());
        }
        m_list.setViewMode(QListView::ListMode);
        m_list.setIconSize(QSize());
        m_list.setGridSize(QSize());
        m_list.setWordWrap(false);
        m_list.setTextElideMode(Qt::ElideRight);
        return;
    }
    const int lines = QFontMetrics(m_list.font()).lineSpacing() * 2;
    m_list.setViewMode(QListView::IconMode);
    // The items keep their places in file order; only drops of files land on them.
    m_list.setMovement(QListView::Static);
    m_list.setResizeMode(QListView::Adjust);
    m_list.setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_list.setGridSize(QSize(kThumbnailSide + 32, kThumbnailSide + lines + 8));
    m_list.setWordWrap(true);
    m_list.setTextElideMode(Qt::ElideMiddle);
    RequestAll();
}

void ListThumbnails::ListFilled() {
    if (!m_shown) {
        return;
    }
    std::vector<std::pair<QString, QIcon>> previous;
    previous.swap(m_icons);
    m_icons.resize(static_cast<std::size_t>(m_list.count()));
    for (int row = 0; row < m_list.count(); ++row) {
        QListWidgetItem* item = m_list.item(row);
        for (const auto& [name, icon] : previous) {
            if (name == item->text()) {
                const QSignalBlocker quiet(&m_list);
                item->setIcon(icon);
                m_icons[static_cast<std::size_t>(row)] = {name, icon};
                break;
            }
        }
    }
    RequestAll();
}

// Asked for once the window has drawn the new list, so that Open returns at its own speed.
void ListThumbnails::RequestAll() {
    m_maker->Forget();
    QTimer::singleShot(0, this, [this] {
        for (int row = 0; m_shown && row < m_list.count(); ++row) {
            Request(row);
        }
    });
}

void ListThumbnails::Request(int row) {
    const auto& textures = m_document.Textures();
    if (m_shown && row >= 0 && static_cast<std::size_t>(row) < textures.size()) {
        m_maker->Request(row, textures[static_cast<std::size_t>(row)].record);
    }
}

void ListThumbnails::Place(int row, const QImage& picture) {
    if (!m_shown || row < 0 || row >= m_list.count()) {
        return;
    }
    QListWidgetItem* item = m_list.item(row);
    // The selected item shows its picture untinted: the selection is the frame around it.
    const QPixmap pixmap = QPixmap::fromImage(picture);
    QIcon icon(pixmap);
    icon.addPixmap(pixmap, QIcon::Selected);
    // A new picture is no rename: the list's itemChanged stays quiet.
    const QSignalBlocker quiet(&m_list);
    item->setIcon(icon);
    if (static_cast<std::size_t>(row) >= m_icons.size()) {
        m_icons.resize(static_cast<std::size_t>(row) + 1);
    }
    m_icons[static_cast<std::size_t>(row)] = {item->text(), icon};
}

}  // namespace tinplate
