// SPDX-License-Identifier: GPL-3.0-or-later
// Keeps the thumbnails of the texture list in step with the document.
#include "app/ListThumbnails.h"

#include <QEvent>
#include <QFontMetrics>
#include <QListWidget>
#include <QPixmap>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>

#include "app/TextureDocument.h"
#include "app/ThumbnailMaker.h"

namespace tinplate {
namespace {

constexpr int kThumbnailSide = 64;
// Names up to this many characters fit a cell's line whole.
constexpr int kWholeNameLength = 16;

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
    // A changed texture in view is made again at once, one out of view once it comes in.
    connect(&m_document, &TextureDocument::textureChanged, this, [this](int row) {
        const auto at = static_cast<std::size_t>(row);
        if (row >= 0 && at < m_requested.size()) {
            m_requested[at] = InView(row);
            if (m_requested[at]) {
                Request(row);
            }
        }
    });
    // Every scroll, resize, filter and new picture repaints the list: the moment to look for
    // items that came into view.
    m_list.viewport()->installEventFilter(this);
}

bool ListThumbnails::eventFilter(QObject* watched, QEvent* event) {
    // Only the viewport's events come here: it is the one object filtered.
    if (m_shown && event->type() == QEvent::Resize) {
        FitGrid();
    } else if (m_shown && event->type() == QEvent::Paint) {
        RequestInView();
    }
    return QObject::eventFilter(watched, event);
}

void ListThumbnails::SetShown(bool shown) {
    if (shown == m_shown) {
        return;
    }
    m_shown = shown;
    m_requested.assign(static_cast<std::size_t>(m_list.count()), false);
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
    m_list.setViewMode(QListView::IconMode);
    // The items keep their places in file order; only drops of files land on them.
    m_list.setMovement(QListView::Static);
    m_list.setResizeMode(QListView::Adjust);
    m_list.setIconSize(QSize(kThumbnailSide, kThumbnailSide));
    m_list.setWordWrap(true);
    m_list.setTextElideMode(Qt::ElideMiddle);
    MeasureNames();
    FitGrid();
    RequestInView();
}

// A cell holds its thumbnail, and the widest name whole as far as its first 16 characters.
void ListThumbnails::MeasureNames() {
    const QFontMetrics metrics(m_list.font());
    m_narrowestCell = kThumbnailSide + 16;
    for (int row = 0; row < m_list.count(); ++row) {
        const QString name = m_list.item(row)->text().left(kWholeNameLength);
        m_narrowestCell = std::max(m_narrowestCell, metrics.horizontalAdvance(name) + 16);
    }
}

// As many columns as the widest name allows, sharing the whole width between them.
void ListThumbnails::FitGrid() {
    const QFontMetrics metrics(m_list.font());
    const int width = m_list.viewport()->width();
    const int columns = std::max(1, width / m_narrowestCell);
    const int lines = metrics.lineSpacing() * 2;
    const QSize grid(std::max(m_narrowestCell, width / columns), kThumbnailSide + lines + 8);
    if (grid != m_list.gridSize()) {
        m_list.setGridSize(grid);
    }
}

void ListThumbnails::ListFilled() {
    m_requested.assign(static_cast<std::size_t>(m_list.count()), false);
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
    m_maker->Forget();
    MeasureNames();
    FitGrid();
    RequestInView();
}

// Asked for once the window has drawn the list, so that Open returns at its own speed, and
// only for the items in view: a dictionary of thousands makes only the pictures looked at.
void ListThumbnails::RequestInView() {
    if (!m_shown || m_checkScheduled ||
        std::find(m_requested.begin(), m_requested.end(), false) == m_requested.end()) {
        return;
    }
    m_checkScheduled = true;
    QTimer::singleShot(0, this, [this] {
        m_checkScheduled = false;
        for (int row = 0; m_shown && row < m_list.count(); ++row) {
            const auto at = static_cast<std::size_t>(row);
            if (at < m_requested.size() && !m_requested[at] && InView(row)) {
                m_requested[at] = true;
                Request(row);
            }
        }
    });
}

bool ListThumbnails::InView(int row) const {
    const QListWidgetItem* item = m_list.item(row);
    return m_shown && item != nullptr && !item->isHidden() &&
           m_list.visualItemRect(item).intersects(m_list.viewport()->rect());
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
