// SPDX-License-Identifier: GPL-3.0-or-later
// Decodes and scales each requested level on the pool's thread and hands the picture back.
#include "app/ThumbnailMaker.h"

#include <QPainter>

#include "texture/DictionaryThumbnail.h"
#include "texture/ScaledPicture.h"

namespace tinplate {
namespace {

// The texture's picture fitted into a `size` square and centred on a transparent background.
QImage SquarePicture(const TextureRecord& level, std::uint32_t width, std::uint32_t height,
                     QSize size) {
    QImage square(size, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    const RgbaImage picture = ScaledLevel(level, width, height);
    if (picture.rgba.empty()) {
        return square;
    }
    const QImage view(picture.rgba.data(), static_cast<int>(picture.width),
                      static_cast<int>(picture.height), static_cast<qsizetype>(picture.width) * 4,
                      QImage::Format_RGBA8888);
    QPainter painter(&square);
    painter.drawImage(
        QPoint((size.width() - view.width()) / 2, (size.height() - view.height()) / 2), view);
    return square;
}

}  // namespace

ThumbnailMaker::ThumbnailMaker(QSize size, QObject* parent) : QObject(parent), m_size(size) {
    // One worker: the other core keeps the window responsive.
    m_pool.setMaxThreadCount(1);
}

ThumbnailMaker::~ThumbnailMaker() {
    m_pool.clear();
    m_pool.waitForDone();
}

void ThumbnailMaker::Request(int row, const TextureRecord& record) {
    if (row < 0) {
        return;
    }
    if (static_cast<std::size_t>(row) >= m_tickets.size()) {
        m_tickets.resize(static_cast<std::size_t>(row) + 1, 0);
    }
    const std::uint64_t ticket = m_nextTicket++;
    m_tickets[static_cast<std::size_t>(row)] = ticket;
    const PictureSize fitted =
        FitInside(record.width, record.height, static_cast<std::uint32_t>(m_size.width()),
                  static_cast<std::uint32_t>(m_size.height()));
    ++m_outstanding;
    m_pool.start([this, row, ticket, fitted, size = m_size,
                  level = LevelForSize(record, fitted.width, fitted.height)] {
        const QImage picture = SquarePicture(level, fitted.width, fitted.height, size);
        QMetaObject::invokeMethod(
            this, [this, row, ticket, picture] { Deliver(row, ticket, picture); },
            Qt::QueuedConnection);
    });
}

void ThumbnailMaker::Forget() {
    m_tickets.clear();
}

bool ThumbnailMaker::Busy() const {
    return m_outstanding > 0;
}

void ThumbnailMaker::Deliver(int row, std::uint64_t ticket, const QImage& picture) {
    --m_outstanding;
    if (static_cast<std::size_t>(row) < m_tickets.size() &&
        m_tickets[static_cast<std::size_t>(row)] == ticket) {
        m_tickets[static_cast<std::size_t>(row)] = 0;
        emit Made(row, picture);
    }
}

}  // namespace tinplate
